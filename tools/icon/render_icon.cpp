// render_icon: draws the application icon's SVG source at the sizes of the
// hicolor icon theme, one PNG a size, with librsvg onto a Cairo surface.
//   render_icon ICON.svg OUT_DIR SIZE...   writes OUT_DIR/SIZExSIZE/apps/orbolo.png,
//                                          the layout of the hicolor theme
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool RenderAt(RsvgHandle* svg, int size, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, static_cast<double>(size), static_cast<double>(size)};
    GError* error = nullptr;
    bool ok = rsvg_handle_render_document(svg, cr, &viewport, &error);
    if (!ok) {
        std::fprintf(stderr, "render_icon: %s\n", error->message);
        g_error_free(error);
    }
    cairo_destroy(cr);
    ok = ok && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUT_DIR SIZE...\n");
        return 2;
    }
    GError* error = nullptr;
    RsvgHandle* svg = rsvg_handle_new_from_file(argv[1], &error);
    if (!svg) {
        std::fprintf(stderr, "render_icon: %s: %s\n", argv[1], error->message);
        g_error_free(error);
        return 1;
    }
    int status = 0;
    for (int i = 3; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        std::string dir = std::string(argv[2]) + "/" + argv[i] + "x" + argv[i] + "/apps";
        std::filesystem::create_directories(dir);
        if (size <= 0 || !RenderAt(svg, size, dir + "/orbolo.png")) {
            std::fprintf(stderr, "render_icon: cannot write the %s px icon in %s\n", argv[i],
                         dir.c_str());
            status = 1;
        }
    }
    g_object_unref(svg);
    return status;
}
