// SPDX-License-Identifier: GPL-3.0-or-later
// wendrix-gen-adif: writes a generated ADIF log, e.g. for measuring the import.
//   wendrix-gen-adif OUT.adi [--records N] [--seed S] [--shape normal|one-line|no-eor|huge-header]
//                    [--bytes N] [--malformed-every N]
// --bytes is the size of the body (no-eor) or of the header (huge-header).
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "AdifLogGenerator.h"

namespace {

bool ReadNumber(std::string_view text, std::uint64_t& value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

int Usage()
{
    std::fprintf(stderr, "usage: wendrix-gen-adif OUT.adi [--records N] [--seed S]\n"
                         "       [--shape normal|one-line|no-eor|huge-header] [--bytes N]"
                         " [--malformed-every N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    using wendrix::bench::AdifLogShape;
    wendrix::bench::AdifLogOptions options;
    const char* output = nullptr;
    std::uint64_t bytes = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        std::uint64_t number = 0;
        if (arg == "--records" && hasValue && ReadNumber(argv[i + 1], number)) {
            options.Records = static_cast<std::size_t>(number);
            ++i;
        } else if (arg == "--seed" && hasValue && ReadNumber(argv[i + 1], number)) {
            options.Seed = static_cast<std::uint32_t>(number);
            ++i;
        } else if (arg == "--bytes" && hasValue && ReadNumber(argv[i + 1], number)) {
            bytes = number;
            ++i;
        } else if (arg == "--malformed-every" && hasValue && ReadNumber(argv[i + 1], number)) {
            options.MalformedEvery = static_cast<std::size_t>(number);
            ++i;
        } else if (arg == "--shape" && hasValue) {
            const std::string_view shape = argv[++i];
            if (shape == "normal") {
                options.Shape = AdifLogShape::Normal;
            } else if (shape == "one-line") {
                options.Shape = AdifLogShape::OneLine;
            } else if (shape == "no-eor") {
                options.Shape = AdifLogShape::NoEndTag;
            } else if (shape == "huge-header") {
                options.Shape = AdifLogShape::HugeHeader;
            } else {
                return Usage();
            }
        } else if (!arg.empty() && arg[0] != '-' && output == nullptr) {
            output = argv[i];
        } else {
            return Usage();
        }
    }
    if (output == nullptr) {
        return Usage();
    }
    options.HeaderBytes = options.Shape == AdifLogShape::HugeHeader ? bytes : 0;
    options.BodyBytes = options.Shape == AdifLogShape::NoEndTag ? bytes : 0;
    const std::uint64_t written = wendrix::bench::WriteAdifLog(options, output);
    if (written == 0) {
        std::fprintf(stderr, "could not write %s\n", output);
        return 1;
    }
    std::printf("%s: %llu bytes\n", output, static_cast<unsigned long long>(written));
    return 0;
}
