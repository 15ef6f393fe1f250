#include "base/fonts.h"

#include <QFont>
#include <QStringList>

namespace tallyrun {

QString GothicFaceName()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

QString MinchoFaceName()
{
    return QStringLiteral("ＭＳ Ｐ明朝");
}

void InstallFontSubstitutions()
{
    // The first installed face of each list wins; the IPA P faces share the metrics of the
    // faces the names stand for.
    QFont::insertSubstitutions(GothicFaceName(),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(MinchoFaceName(),
                               {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝"),
                                QStringLiteral("Noto Serif CJK JP"), QStringLiteral("IPAMincho")});
}

} // namespace tallyrun
