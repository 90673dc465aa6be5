#include "table_writer.h"

#include <cstdlib>
#include <string>

namespace {

// Fixed point as a float literal with no more decimals than it has, e.g. -0.786f.
std::string Literal(Fixed v) {
    std::string text = v < 0 ? "-" : "";
    const Fixed a = std::llabs(v);
    text += std::to_string(a / 10000);
    std::string decimals = std::to_string(10000 + a % 10000).substr(1);
    while (!decimals.empty() && decimals.back() == '0') {
        decimals.pop_back();
    }
    text += decimals.empty() ? ".0" : "." + decimals;
    return text + "f";
}

void WritePoint(std::ostream& out, const FixedPoint& p) {
    out << '{' << Literal(p[0]) << ", " << Literal(p[1]) << ", " << Literal(p[2]) << '}';
}

} // namespace

void WriteTables(std::ostream& out, const FixedModel& model) {
    out << "// Generated at build time by tools/model_gen; edit the generator, not this file.\n"
           "#include \"scene/model_data.h\"\n\n"
           "#include <array>\n\n"
           "namespace {\n\n";
    for (int p = 0; p < kPartCount; ++p) {
        out << "const ModelTriangle kPart" << p << "[" << model[p].size() << "] = {\n";
        for (const FixedTriangle& t : model[p]) {
            out << "    {";
            WritePoint(out, t.normal);
            out << ", {";
            for (int k = 0; k < 3; ++k) {
                WritePoint(out, t.corner[k]);
                out << (k < 2 ? ", " : "");
            }
            out << "}},\n";
        }
        out << "};\n\n";
    }
    out << "const std::array<std::span<const ModelTriangle>, kModelPartCount> kParts{{\n";
    for (int p = 0; p < kPartCount; ++p) {
        out << "    kPart" << p << ",\n";
    }
    out << "}};\n\n"
           "} // namespace\n\n"
           "std::span<const ModelTriangle> ModelPartTriangles(int part) {\n"
           "    if (part < 0 || part >= kModelPartCount) {\n"
           "        return {};\n"
           "    }\n"
           "    return kParts[static_cast<size_t>(part)];\n"
           "}\n";
}
