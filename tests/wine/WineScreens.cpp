// Reads screens of the Windows build, dumped with `xwd` while it runs under
// Wine, against what the Linux build's headless harness shows.
//
//   zorbanix_wine_screens references <picture folder> <reference folder>
//       renders the reference screens (ReferenceScreens.h) into
//       <name>.565 (raw pixels) and <name>.bmp (to look at)
//   zorbanix_wine_screens classify <reference folder> <dump>
//       prints the name of the reference the dump equals pixel for pixel,
//       or "none <nearest> <pixels differing>"
//   zorbanix_wine_screens compare <reference folder> <name> <dump> [<diff.bmp>]
//       prints "<name> <pixels compared> <pixels differing>"; exit 0 when
//       they are equal, 1 when not; the diff shows differing pixels in red
//   zorbanix_wine_screens play <picture folder> <dump>
//       prints what a screen of play shows, one "key values" line each:
//       fleet <invaders> <dx> <dy>, ships <x>..., shots <x,y>...,
//       paused yes|no
//
// Exit 2 on a usage or file error.

#include <cstdio>
#include <string>
#include <vector>

#include "PlayField.h"
#include "ReferenceScreens.h"
#include "XwdFile.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: zorbanix_wine_screens references <pictures> <references>\n"
                 "       zorbanix_wine_screens classify <references> <dump>\n"
                 "       zorbanix_wine_screens compare <references> <name> <dump> [<diff.bmp>]\n"
                 "       zorbanix_wine_screens play <pictures> <dump>\n");
    return 2;
}

int failure(const std::string& why) {
    std::fprintf(stderr, "zorbanix_wine_screens: %s\n", why.c_str());
    return 2;
}

int differingPixels(const CapturedFrame& a, const CapturedFrame& b) {
    int differing = 0;
    for (std::size_t i = 0; i < a.pixels->size(); ++i) {
        if ((*a.pixels)[i] != (*b.pixels)[i]) ++differing;
    }
    return differing;
}

bool loadReference(const std::string& folder, const std::string& name, CapturedFrame* frame) {
    return loadRaw565(folder + "/" + name + ".565", frame);
}

bool saveDiff(const CapturedFrame& shot, const CapturedFrame& reference, const std::string& path) {
    auto pixels = std::make_shared<std::vector<std::uint16_t>>(*shot.pixels);
    for (std::size_t i = 0; i < pixels->size(); ++i) {
        const std::uint16_t p = (*pixels)[i];
        // Differences in pure red; the rest of the shot at half brightness.
        (*pixels)[i] =
            p != (*reference.pixels)[i] ? 0xF800 : static_cast<std::uint16_t>((p >> 1) & 0x7BEF);
    }
    CapturedFrame diff;
    diff.pixels = std::move(pixels);
    return diff.saveBmp(path.c_str());
}

int references(const std::string& pictures, const std::string& folder) {
    std::vector<ReferenceScreen> screens;
    std::string error;
    if (!renderReferenceScreens(pictures, &screens, &error)) return failure(error);
    for (const ReferenceScreen& screen : screens) {
        const std::string base = folder + "/" + screen.name;
        if (!saveRaw565(screen.frame, base + ".565") ||
            !screen.frame.saveBmp((base + ".bmp").c_str())) {
            return failure("cannot write " + base);
        }
        std::printf("%s\n", screen.name.c_str());
    }
    return 0;
}

int classify(const std::string& folder, const std::string& dump) {
    CapturedFrame shot;
    std::string error;
    if (!readXwd(dump, &shot, &error)) return failure(error);
    std::string nearest;
    int fewest = -1;
    for (const std::string& name : referenceScreenNames()) {
        CapturedFrame reference;
        if (!loadReference(folder, name, &reference)) return failure("no reference " + name);
        const int differing = differingPixels(shot, reference);
        if (differing == 0) {
            std::printf("%s\n", name.c_str());
            return 0;
        }
        if (fewest < 0 || differing < fewest) fewest = differing, nearest = name;
    }
    std::printf("none %s %d\n", nearest.c_str(), fewest);
    return 0;
}

int compare(const std::string& folder, const std::string& name, const std::string& dump,
            const std::string& diffPath) {
    CapturedFrame shot, reference;
    std::string error;
    if (!readXwd(dump, &shot, &error)) return failure(error);
    if (!loadReference(folder, name, &reference)) return failure("no reference " + name);
    const int differing = differingPixels(shot, reference);
    std::printf("%s %zu %d\n", name.c_str(), shot.pixels->size(), differing);
    if (differing != 0 && !diffPath.empty() && !saveDiff(shot, reference, diffPath)) {
        return failure("cannot write " + diffPath);
    }
    return differing == 0 ? 0 : 1;
}

int play(const std::string& pictures, const std::string& dump) {
    PlayLooks looks;
    CapturedFrame shot;
    std::string error;
    if (!loadPlayLooks(pictures, &looks, &error) || !readXwd(dump, &shot, &error)) {
        return failure(error);
    }
    const FleetSighting fleet = findFleet(shot, looks);
    std::printf("fleet %d %d %d\n", fleet.invaders, fleet.dx, fleet.dy);
    std::printf("ships");
    for (int x : findShips(shot, looks)) std::printf(" %d", x);
    std::printf("\nshots");
    for (const Point& p : findPlayerShots(shot, looks)) std::printf(" %d,%d", p.x, p.y);
    std::printf("\npaused %s\n", showsPausedSign(shot, looks) ? "yes" : "no");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "references") return references(args[1], args[2]);
    if (args.size() == 3 && args[0] == "classify") return classify(args[1], args[2]);
    if ((args.size() == 4 || args.size() == 5) && args[0] == "compare") {
        return compare(args[1], args[2], args[3], args.size() == 5 ? args[4] : "");
    }
    if (args.size() == 3 && args[0] == "play") return play(args[1], args[2]);
    return usage();
}
