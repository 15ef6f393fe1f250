#include "app/soak_probe.h"

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "base/handler_errors.h"
#include "base/message_box.h"
#include "shelltree/item_data.h"
#include "shelltree/tree_node.h"
#include "shelltree/tree_view.h"
#include "toolbar/tb_toolbar.h"
#include "widgets/log_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tallyrun {

namespace {

constexpr int kSampleIntervalMs = 5;
constexpr int kStateIntervalMs = 200;

const QEvent::Type kSampleEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class TSampleEvent : public QEvent
{
public:
    TSampleEvent(qint64 postedNs, bool modal)
        : QEvent(kSampleEvent), postedNs(postedNs), modalAtPost(modal)
    {
    }
    qint64 postedNs;
    bool modalAtPost;
};

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    if (bytes.empty())
        return "-";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// "x y w h" of a widget's rectangle in screen coordinates.
std::string ScreenRect(const QWidget& widget, const QRect& local)
{
    const QPoint topLeft = widget.mapToGlobal(local.topLeft());
    return std::to_string(topLeft.x()) + " " + std::to_string(topLeft.y()) + " " +
           std::to_string(local.width()) + " " + std::to_string(local.height());
}

std::string ModalName()
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return "-";
    return std::string(modal->metaObject()->className()) + " " +
           Hex(modal->windowTitle().toStdString());
}

// The button that dismisses a modal window: a message box's escape or default button (else its
// first), a dialog's Cancel. The driver clicks it: a key reaches a dialog only when it has the
// keyboard focus, which on an X server without a window manager it may never get.
QAbstractButton* DismissButton(const QWidget& modal)
{
    if (const auto* box = qobject_cast<const QMessageBox*>(&modal)) {
        if (box->escapeButton())
            return box->escapeButton();
        if (box->defaultButton())
            return box->defaultButton();
        const QList<QAbstractButton*> buttons = box->buttons();
        return buttons.isEmpty() ? nullptr : buttons.first();
    }
    for (QDialogButtonBox* row : modal.findChildren<QDialogButtonBox*>())
        for (QAbstractButton* button : row->buttons())
            if (row->buttonRole(button) == QDialogButtonBox::RejectRole)
                return button;
    return nullptr;
}

// "modal_close x y w h": where to click to dismiss the modal window, when it has such a button.
void AppendModalClose(std::string& out)
{
    const QWidget* modal = QApplication::activeModalWidget();
    const QAbstractButton* button = modal ? DismissButton(*modal) : nullptr;
    if (button && button->isVisible())
        out += "modal_close " + ScreenRect(*button, button->rect()) + "\n";
}

// "modal_edit x y w h": where to click to type a name into the modal file dialog; without a
// window manager the dialog may never get the keyboard focus by itself.
void AppendModalEdit(std::string& out)
{
    const QWidget* modal = QApplication::activeModalWidget();
    const auto* edit =
        modal ? modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (edit && edit->isVisible())
        out += "modal_edit " + ScreenRect(*edit, edit->rect()) + "\n";
}

void AppendToolbar(const TfrmMain& window, std::string& out)
{
    const std::pair<const char*, TTBItem*> items[] = {
        {"legend", window.TB_introductory},
        {"percent", window.TB_ShowPercent},
        {"size", window.TB_ShowSize},
        {"save", window.TB_Save},
        {"stop", window.TB_Stop},
        {"version", window.TB_Version},
        {"end", window.TB_End},
    };
    for (const auto& [name, item] : items) {
        const QWidget* button = window.TBToolbar1->widgetForAction(item);
        if (!button || !button->isVisible())
            continue;
        out += std::string("toolbar ") + name + " " + ScreenRect(*button, button->rect()) + " " +
               (item->isEnabled() ? "1" : "0") + " " + (item->isChecked() ? "1" : "0") + "\n";
    }
}

// The other windows on the screen (dialogs), which may cover the main window.
void AppendTopLevels(const TfrmMain& window, std::string& out)
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == &window || !widget->isVisible())
            continue;
        out += "toplevel ";
        out += widget->metaObject()->className();
        out += ' ';
        out += ScreenRect(*widget, widget->rect());
        // The button that closes it: the about dialog closes by its button only, and a
        // dialog that is not the active modal one (a file dialog shown while another window
        // was active) may never get the keyboard focus for an Escape.
        const QWidget* button = nullptr;
        if (const auto* about = dynamic_cast<const TfrmVersion*>(widget))
            button = about->CloseButtonWidget();
        else
            button = DismissButton(*widget);
        if (button && button->isVisible()) {
            out += ' ';
            out += ScreenRect(*button, button->rect());
        }
        out += "\n";
    }
}

void AppendTree(TCustomQorShTreeView& tree, std::string& out)
{
    const QWidget& viewport = *tree.viewport();
    out += "tree " + ScreenRect(viewport, viewport.rect()) + "\n";
    out += "tree_nodes " + std::to_string(TQorShTreeNode::LiveCount()) + "\n";
    // The node keys act on ('*', F2, arrows), which need not be in view.
    if (const auto* current = static_cast<const TQorShTreeNode*>(tree.currentItem());
        current && current->Item())
        out += "current " + Hex(current->Item()->Path()) + "\n";
    // Only the rows in view, from the top one down: a walk of every node, each placed on the
    // screen, cost the square of the nodes after '*' had opened thousands, and stalled the
    // very event loop the probe measures.
    const QRect area = viewport.rect();
    for (QTreeWidgetItem* item = tree.itemAt(area.topLeft()); item; item = tree.itemBelow(item)) {
        auto* node = static_cast<TQorShTreeNode*>(item);
        const QRect rect = tree.visualItemRect(node);
        if (rect.top() > area.bottom())
            break;
        if (rect.isEmpty() || !area.intersects(rect))
            continue;
        const std::string path = node->Item() ? node->Item()->Path() : std::string();
        out += "node " + Hex(path) + " " + ScreenRect(viewport, rect) + " " +
               (node->isSelected() ? "1" : "0") + " " + (node->isExpanded() ? "1" : "0") + " " +
               Hex(node->text(0).toStdString()) + "\n";
    }
}

} // namespace

TSoakProbe::TSoakProbe(TfrmMain& window, const QString& folder)
    : window_(window), folder_(folder), events_(folder + QStringLiteral("/events"))
{
    QDir().mkpath(folder_);
    if (!events_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        std::fprintf(stderr, "soak probe: cannot write %s\n", qPrintable(events_.fileName()));
    window_.SetRunObserver(this);
    window_.installEventFilter(this);
    // Each display shows the box as before; the probe only notes it first.
    TErrorDisplay errors = SetHandlerErrorDisplay({});
    SetHandlerErrorDisplay([this, errors](const QString& message) {
        ShownMessage("error", message);
        errors(message);
    });
    TInformationDisplay infos = SetInformationDisplay({});
    SetInformationDisplay([this, infos](const QString& text, const QString& caption) {
        ShownMessage("info", text);
        infos(text, caption);
    });
    // What a drag takes and where a drop lands, as the tree decides them: the rows the driver
    // aimed at may be stale under a slow window.
    if (auto* tree = dynamic_cast<TCustomQorShTreeView*>(window_.QorShTreeView1)) {
        beginDrag_ = tree->OnShBeginDrag;
        tree->OnShBeginDrag = [this](QObject* sender, TQorShFolderData* item, bool& allow) {
            if (beginDrag_)
                beginDrag_(sender, item, allow);
            AddTreeEvent("drag", item, allow);
        };
        dragDrop_ = tree->OnShDragDrop;
        tree->OnShDragDrop = [this](QObject* sender, TQorShFolderData* item, bool& allow) {
            if (dragDrop_)
                dragDrop_(sender, item, allow);
            AddTreeEvent("drop", item, allow);
        };
    }
    sampleTimer_.setTimerType(Qt::PreciseTimer);
    connect(&sampleTimer_, &QTimer::timeout, this, [this] { PostSample(); });
    sampleTimer_.start(kSampleIntervalMs);
    connect(&stateTimer_, &QTimer::timeout, this, [this] { RunHandler([this] { WriteState(); }); });
    stateTimer_.start(kStateIntervalMs);
    AddEvent("probe_start " + std::to_string(NowNs()));
}

TSoakProbe::~TSoakProbe()
{
    window_.SetRunObserver(nullptr);
    if (auto* tree = dynamic_cast<TCustomQorShTreeView*>(window_.QorShTreeView1)) {
        tree->OnShBeginDrag = beginDrag_;
        tree->OnShDragDrop = dragDrop_;
    }
    SetHandlerErrorDisplay({});
    SetInformationDisplay({});
    AddEvent("probe_end " + std::to_string(NowNs()));
}

std::int64_t TSoakProbe::NowNs() const
{
    // The steady clock is CLOCK_MONOTONIC, the clock the driver reads as well.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TSoakProbe::PostSample()
{
    QCoreApplication::postEvent(this, new TSampleEvent(NowNs(), QApplication::activeModalWidget()));
}

bool TSoakProbe::event(QEvent* e)
{
    if (e->type() != kSampleEvent)
        return QObject::event(e);
    const auto* sample = static_cast<TSampleEvent*>(e);
    Delivered(sample->postedNs, sample->modalAtPost);
    return true;
}

bool TSoakProbe::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == &window_ && e->type() == QEvent::Close)
        AddEvent("close " + std::to_string(NowNs()) + " " + (window_.IsRunning() ? "1" : "0"));
    return false;
}

void TSoakProbe::Delivered(qint64 postedNs, bool modalAtPost)
{
    const double delayMs = double(NowNs() - postedNs) / 1e6;
    ++samples_;
    delayMaxMs_ = std::max(delayMaxMs_, delayMs);
    if (!modalAtPost && !QApplication::activeModalWidget())
        delayMaxFreeMs_ = std::max(delayMaxFreeMs_, delayMs);
}

void TSoakProbe::RunStarted(const std::string& path)
{
    ++runsStarted_;
    AddEvent("run_start " + std::to_string(runsStarted_) + " " + std::to_string(NowNs()) + " " +
             Hex(path));
}

void TSoakProbe::RunFinished(bool stopped)
{
    stopped ? ++runsStopped_ : ++runsFinished_;
    try {
        WriteRunFiles(runsStarted_);
    } catch (...) {
        std::fprintf(stderr, "soak probe: cannot write the files of run %d\n", runsStarted_);
    }
    AddEvent("run_end " + std::to_string(runsStarted_) + " " + std::to_string(NowNs()) + " " +
             (stopped ? "stopped" : "finished"));
}

void TSoakProbe::WriteRunFiles(int run) const
{
    const QString stem = folder_ + QStringLiteral("/run-") + QString::number(run);
    QFile memo(stem + QStringLiteral(".memo"));
    if (memo.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const std::string text = window_.memSearch->Text();
        memo.write(text.data(), qint64(text.size()));
    }
    QFile slices(stem + QStringLiteral(".slices"));
    if (slices.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const TMainPieSeries& series = *window_.Series1;
        std::string text;
        for (int i = 0; i < series.PointCount(); ++i) {
            char value[32];
            std::snprintf(value, sizeof value, "%.0f", series.PieValues()[i]);
            text += Hex(series.PointLabel(i)) + "\t" + value + "\n";
        }
        slices.write(text.data(), qint64(text.size()));
    }
}

void TSoakProbe::ShownMessage(const char* kind, const QString& message)
{
    kind[0] == 'e' ? ++errorBoxes_ : ++infoBoxes_;
    AddEvent(std::string(kind) + " " + std::to_string(NowNs()) + " " + Hex(message.toStdString()));
}

void TSoakProbe::AddTreeEvent(const char* kind, TQorShFolderData* item, bool allowed)
{
    AddEvent(std::string(kind) + " " + std::to_string(NowNs()) + " " +
             Hex(item ? item->Path() : std::string()) + " " + (allowed ? "1" : "0"));
}

void TSoakProbe::AddEvent(const std::string& line)
{
    if (!events_.isOpen())
        return;
    const std::string text = line + "\n";
    events_.write(text.data(), qint64(text.size()));
}

void TSoakProbe::WriteState()
{
    std::string out;
    out += "seq " + std::to_string(++stateSeq_) + "\n";
    out += "now_ns " + std::to_string(NowNs()) + "\n";
    out += "running " + std::string(window_.IsRunning() ? "1" : "0") + "\n";
    out += "modal " + ModalName() + "\n";
    AppendModalClose(out);
    AppendModalEdit(out);
    out += "runs " + std::to_string(runsStarted_) + " " + std::to_string(runsFinished_) + " " +
           std::to_string(runsStopped_) + "\n";
    out += "boxes " + std::to_string(errorBoxes_) + " " + std::to_string(infoBoxes_) + "\n";
    char delays[96];
    std::snprintf(delays, sizeof delays, "delay_ms %.3f %.3f %d\n", delayMaxMs_, delayMaxFreeMs_,
                  samples_);
    out += delays;
    out += "window " + ScreenRect(window_, window_.rect()) + " " +
           (window_.isActiveWindow() ? "1" : "0") + "\n";
    out += "chart " + ScreenRect(*window_.Chart1, window_.Chart1->rect()) + "\n";
    AppendToolbar(window_, out);
    AppendTopLevels(window_, out);
    if (auto* tree = dynamic_cast<TCustomQorShTreeView*>(window_.QorShTreeView1))
        AppendTree(*tree, out);
    // Written beside and renamed over the last one, so the driver never reads half a state.
    // Not synced to the disk: that waited for seconds on a busy disk, inside the window's
    // own loop, and the state is read by the driver, never after a crash of the machine.
    const QString path = folder_ + QStringLiteral("/state");
    QFile state(path + QStringLiteral(".new"));
    if (state.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        state.write(out.data(), qint64(out.size())) == qint64(out.size())) {
        state.close();
        std::rename(QFile::encodeName(state.fileName()).constData(),
                    QFile::encodeName(path).constData());
    }
}

std::unique_ptr<TSoakProbe> StartSoakProbeIfAsked(TfrmMain& window)
{
    const char* folder = std::getenv("TALLYRUN_SOAK_PROBE");
    if (!folder || !*folder)
        return nullptr;
    return std::make_unique<TSoakProbe>(window, QFile::decodeName(folder));
}

} // namespace tallyrun
