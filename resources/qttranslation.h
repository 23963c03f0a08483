// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own Traditional Chinese texts: the message boxes' buttons and the edit menus of the text
// fields. They come with the system's Qt translations; where those are missing Qt stays English.
class QtTranslation
{
public:
    // Installs qtbase_zh_TW into the running application; false when it cannot be loaded.
    static bool install();
};
