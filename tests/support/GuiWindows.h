// Every window of the program, made as its command makes it: for tests that walk them all.
#pragma once

#include "shell/vPicture.h"

#include <QWidget>

#include <functional>
#include <vector>

class TVORNForm;

struct NamedWindow {
    const char* Name;
    std::function<QWidget*()> Make;
};

// The main window `form` first, then every tool window with `form` as its parent; the rotate
// window turns `picture`. The classification window shows the widest values its columns take:
// TrainingSites is left holding them.
std::vector<NamedWindow> EveryWindow(TVORNForm* form, Picture& picture);
