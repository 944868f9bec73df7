// The enablers: the main window's commands that need a picture, enabled and disabled as one
// group. Each group is a list of control names; an action or widget of the main window with
// that object name follows the group.
#pragma once

void EnableImageCommands(bool enabled);
void EnableObjectMenus(bool enabled);
