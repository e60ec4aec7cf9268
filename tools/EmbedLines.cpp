// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: turns a text file into a C++ source file holding its lines as an ordered array
// of string views, so the program carries the text without reading any file at run time.
//
//   wendrix-embed-lines INPUT OUTPUT NAMESPACE FUNCTION
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Escape(const std::string& line)
{
    std::string out;
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 32 || c >= 127) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\%03o", c);
            out += buffer;
        } else if (c == '?') {
            // Keeps "??x" from being read as a trigraph by any compiler.
            out += "\\?";
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: " << argv[0] << " INPUT OUTPUT NAMESPACE FUNCTION\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    std::ostringstream out;
    out << "// Generated from " << argv[1] << " at build time. Do not edit.\n"
        << "#include <span>\n#include <string_view>\n\n"
        << "namespace " << argv[3] << " {\n\nnamespace {\n"
        << "constexpr std::string_view kLines[] = {\n";
    for (const auto& l : lines) {
        out << "    \"" << Escape(l) << "\",\n";
    }
    out << "};\n}  // namespace\n\n"
        << "std::span<const std::string_view> " << argv[4] << "()\n{\n    return kLines;\n}\n\n"
        << "}  // namespace " << argv[3] << "\n";
    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    file.close();
    if (!file) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
