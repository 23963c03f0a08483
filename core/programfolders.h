// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program's own files live. The program and its simulator must agree on these, so the
// rule is kept once, below every layer.
namespace ProgramFolders {

// The folder that holds the executable, unless another was set: a program that links these
// libraries without being this executable keeps its files in a folder of its own.
QString program();
void setProgram(const QString &folder);

// Where vedira.ini and the ports/ folder live: the program's folder when it holds vedira.ini or
// can be written (a build tree, a copy on a USB stick), otherwise $XDG_CONFIG_HOME/vedira (or
// ~/.config/vedira when that is unset or relative), which is made only when the settings are
// saved. A folder under /usr counts as not writable. Empty when there is no home to keep them in.
QString settings();

// The folder whose entries comN map port numbers to devices (Linux); empty as settings() is.
QString ports();

} // namespace ProgramFolders
