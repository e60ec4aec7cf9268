// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a save flow ended. Only Saved clears the unsaved-changes state.
namespace wendrix {

enum class SaveOutcome {
    Saved,              // the file is written and complete
    CallTooShort,       // nothing written: the call sign has three characters or fewer
    OverwriteDeclined,  // nothing written: the user kept the earlier list
    WriteFailed,        // the previous file is intact; the changes are still unsaved
};

}  // namespace wendrix
