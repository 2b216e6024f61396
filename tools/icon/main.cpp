// renju-icon: writes the application icon into a hicolor theme tree, one PNG per size:
//   renju-icon OUT SIZE...  ->  OUT/SIZExSIZE/apps/renju.png
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_icon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: renju-icon OUT SIZE...\n");
        return EXIT_FAILURE;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (size < 16 || size > 1024 || !QDir().mkpath(folder) ||
            !AppIconImage(size).save(folder + "/renju.png", "PNG")) {
            std::fprintf(stderr, "renju-icon: cannot write the %s pixel icon into %s\n", argv[i], argv[1]);
            return EXIT_FAILURE;
        }
    }
    return EXIT_SUCCESS;
}
