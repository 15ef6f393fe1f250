// Running an item the user double-clicked: follow it if it is a link, select a folder it leads
// to, open anything else with the desktop's handler, and start nothing that could run as a
// program unless the user agrees.
#pragma once

#include "shelltree/item_launcher.h"

#include <functional>
#include <string>

namespace tallyrun {

// What is known about the item and where it leads.
struct TRunFacts
{
    bool isLink = false; // a symbolic link or a link desktop entry
    bool targetExists = false;
    bool targetIsFolder = false;
    bool targetRunnable = false; // execute bit, "#!" or a desktop entry that is not a link
};

enum class TRunAction
{
    raNothing,         // a plain folder (the tree expands it) or a link that leads nowhere
    raSelectFolder,    // a link to a folder: the tree selects the folder
    raOpen,            // a document: the desktop's handler opens it
    raConfirmThenOpen, // could start a program: only with the user's consent
};

TRunAction DecideRun(const TRunFacts& facts);

// Asked before anything runnable is opened, with the path that would be opened. No function
// given means no consent.
using TRunConfirm = std::function<bool(const std::string& path)>;

struct TRunOutcome
{
    TRunAction action = TRunAction::raNothing;
    std::string target;  // the folder to select or the path opened (links followed)
    bool opened = false; // the launcher was asked and started
};

// Looks at the item's path, decides, and opens through the launcher when that is the decision
// (and, for something runnable, when `confirm` agrees).
TRunOutcome RunItem(const std::string& path, TItemLauncher& launcher,
                    const TRunConfirm& confirm = {});

} // namespace tallyrun
