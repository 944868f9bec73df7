// The enablers: the main window's commands that need a picture, the label and object-mark
// commands, and the classify menus, each enabled and disabled as one group.
#pragma once

void EnableImageCommands(bool enabled);
void EnableObjectMenus(bool enabled);
void EnableClassifyMenus(bool enabled);
