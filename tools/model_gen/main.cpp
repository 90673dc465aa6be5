// Designs the backdrop spacecraft from simple solids, rounds it into the ten constant
// tables the scene compiles into display lists, checks every property the tables must
// have, and writes them as C++. Fails, writing nothing, when any property is off.
// Usage: horolux_model_gen <output.cpp> [--report]   (--report prints the solved shapes)
#include "checks.h"
#include "engine_design.h"
#include "fixed_table.h"
#include "hull_design.h"
#include "placement.h"
#include "table_writer.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The largest miss, in model units, that may be taken up by moving extreme corners after
// a part was shaped to its bounds.
constexpr double kLargestSnap = 0.05;

// Shapes a part to its bounds by solving for its parameters, then rounds it.
FixedPart Solved(const PartBuilder& build, std::vector<double>& params, int part,
                 std::ostream* report) {
    const double miss = SolveBounds(build, params, kPartTargets[part]);
    if (report) {
        *report << "part " << part << ": miss " << miss << ", parameters";
        for (double v : params) {
            *report << ' ' << v;
        }
        *report << "\n";
    }
    if (miss > kLargestSnap) {
        throw std::runtime_error("part " + std::to_string(part) +
                                 " cannot be shaped to its bounds");
    }
    FixedPart fixed = Quantise(ToModel(build(params)));
    SnapBounds(fixed, kPartTargets[part]);
    return fixed;
}

// Rounds a designed part after stretching it the last little way to its bounds.
FixedPart Stretched(const Mesh& ship, int part) {
    FixedPart fixed = Quantise(StretchToBounds(ship, kPartTargets[part]));
    SnapBounds(fixed, kPartTargets[part]);
    return fixed;
}

FixedModel BuildModel(std::ostream* report) {
    FixedModel model;
    // The engine assembly: pod first, then the cap and grille that sit on it.
    PodParams pod = InitialPodParams();
    model[5] = Solved(BuildPod, pod, 5, report);
    CapParams cap = InitialCapParams();
    model[0] = Solved([&](const CapParams& p) { return BuildCap(pod, p); }, cap, 0, report);
    // Rounding the first triangle's normal could go either way in its last place; the
    // required value is the one to keep.
    model[0].front().normal = kFirstNormal;
    GrilleParams grille = InitialGrilleParams();
    model[1] =
        Solved([&](const GrilleParams& p) { return BuildGrille(pod, p); }, grille, 1, report);

    DishParams dish = InitialDishParams();
    model[4] = Solved(BuildDish, dish, 4, report);
    model[7] = Stretched(BuildStrut(), 7);
    model[8] = Stretched(BuildDiscHull(), 8);
    const Vec3 engineOffset = ModelToShip(FixedToModel(kCopyOffset));
    model[9] = Stretched(BuildSecondHull(dish, pod, engineOffset), 9);

    // The second engine.
    for (const CopyPair& pair : kCopies) {
        model[pair.copy] = MovedCopy(model[pair.original], kPartTargets[pair.copy]);
    }
    return model;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: horolux_model_gen <output.cpp> [--report]\n";
        return 2;
    }
    const bool wantReport = argc > 2 && std::string(argv[2]) == "--report";
    try {
        const FixedModel model = BuildModel(wantReport ? &std::cout : nullptr);
        const std::vector<std::string> failures = CheckModel(model);
        for (const std::string& f : failures) {
            std::cerr << "horolux_model_gen: " << f << "\n";
        }
        if (!failures.empty()) {
            return 1;
        }
        std::ostringstream text;
        WriteTables(text, model);
        // Written under a temporary name first, so a failed run never leaves half a table.
        const std::string temporary = std::string(argv[1]) + ".tmp";
        std::ofstream out(temporary, std::ios::binary);
        out << text.str();
        out.close();
        if (!out || std::rename(temporary.c_str(), argv[1]) != 0) {
            std::cerr << "horolux_model_gen: cannot write " << argv[1] << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "horolux_model_gen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
