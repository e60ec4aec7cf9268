// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "import/ContactRecord.h"

// What the log reader tells its caller while it reads one log.
namespace wendrix {

enum class ReadErrorAction {
    Abort,
    Ignore
};

class AdifLogHandler
{
public:
    virtual ~AdifLogHandler() = default;
    // Before each line is processed, with the bytes read so far including this line (line
    // length without CR, plus 2, per line). false stops reading the file; the line is not
    // processed.
    [[nodiscard]] virtual bool BeginLine(std::uint64_t bytesRead) = 0;
    virtual void Accepted(const ContactRecord& contact) = 0;
    // Reason text followed by the record text; valid during the call only.
    virtual void Rejected(std::string_view reportLine) = 0;
    // A read error in the current line. Ignore drops that line and goes on with the line after
    // the first LF behind what could not be read; Abort ends the file at once.
    [[nodiscard]] virtual ReadErrorAction ReadError() = 0;
    // After Ignore: count bytes from offset on could not be read even on a second try and were
    // passed over. Not called when the second try succeeded.
    virtual void BytesSkipped(std::uint64_t /*offset*/, std::uint64_t /*count*/) {}
};

}  // namespace wendrix
