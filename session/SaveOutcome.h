// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Result.h"

// How a save flow ended. Only success clears the unsaved-changes state. The user has been told
// already of every refusal that needs telling, so the failures carry no message.
namespace wendrix {

enum class SaveRefusal {
    CallTooShort,       // nothing written: the call sign has three characters or fewer
    OverwriteDeclined,  // nothing written: the user kept the earlier list
    WriteFailed,        // the previous file is intact; the changes are still unsaved
};

using SaveOutcome = Outcome<SaveRefusal>;

}  // namespace wendrix
