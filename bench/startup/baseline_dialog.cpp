// What Kestrun's start-up is measured against: an empty Qt dialog, the ".zip" names of the ROM
// folder listed and sorted, and a bare libpng decode of the snapshot.
// Usage: startup_baseline <program folder ending with a separator> <snapshot name>
#include <QApplication>
#include <QDialog>
#include <cstdio>
#include <vector>

#include "bench/support/bare_baselines.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder/> <snapshot name>\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    const std::string folder = argv[1];
    const std::vector<std::string> names = kestrun::bench::BareListAndSortZipNames(folder + "roms");

    std::vector<png_byte> pixels;
    if (std::FILE* snapshot = std::fopen((folder + "snap/" + argv[2] + ".png").c_str(), "rb")) {
        kestrun::bench::BareDecodePng(snapshot, pixels);
        std::fclose(snapshot);
    }

    QDialog dialog;
    // Both results are used, so that neither can be left out.
    dialog.setWindowTitle(QString::number(names.size()) + QLatin1Char(' ') +
                          QString::number(pixels.size()));
    dialog.show();
    return application.exec();
}
