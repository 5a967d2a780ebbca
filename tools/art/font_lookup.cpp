#include "font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace art {

namespace {

[[noreturn]] void missing(const char* family, int weight) {
    std::fprintf(stderr,
                 "orbolo_artgen: fontconfig finds no font \"%s%s\"; the pictures are set in it.\n"
                 "Install the DejaVu fonts: fonts-dejavu-core (Debian, Ubuntu), "
                 "dejavu-sans-fonts (Fedora), ttf-dejavu (Arch).\n",
                 family, weight >= FC_WEIGHT_BOLD ? " Bold" : "");
    std::exit(1);
}

// fontconfig always answers with its nearest face; only an exact one will do.
bool matches(FcPattern* found, const char* family, int weight) {
    FcChar8* name = nullptr;
    int foundWeight = -1, slant = -1, width = -1;
    bool familyFound = false;
    for (int i = 0; FcPatternGetString(found, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        familyFound = familyFound || strcasecmp(reinterpret_cast<const char*>(name), family) == 0;
    FcPatternGetInteger(found, FC_WEIGHT, 0, &foundWeight);
    FcPatternGetInteger(found, FC_SLANT, 0, &slant);
    FcPatternGetInteger(found, FC_WIDTH, 0, &width);
    return familyFound && foundWeight == weight && slant == FC_SLANT_ROMAN &&
           width == FC_WIDTH_NORMAL;
}

} // namespace

std::string findFontFile(const char* family, int weight) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) missing(family, weight);
    FcPattern* wanted = FcPatternBuild(
        nullptr, FC_FAMILY, FcTypeString, family, FC_WEIGHT, FcTypeInteger, weight, FC_SLANT,
        FcTypeInteger, FC_SLANT_ROMAN, FC_WIDTH, FcTypeInteger, FC_WIDTH_NORMAL, nullptr);
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, wanted, &result);
    FcChar8* file = nullptr;
    std::string path;
    if (found != nullptr && matches(found, family, weight) &&
        FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (found != nullptr) FcPatternDestroy(found);
    FcPatternDestroy(wanted);
    FcConfigDestroy(config);
    if (path.empty()) missing(family, weight);
    return path;
}

} // namespace art
