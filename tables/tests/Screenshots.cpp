// Saves what the selection dialog looks like for three tables (and one at its minimum width), sized as the main window sizes
// them, with a pickable cell current. Run under a real X server: tables_screenshots DIR
#include "tables/DataGrid.h"
#include "tables/Seleccion.h"
#include "tables/TableModel.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using velmaro::TSeleccionForm;

namespace {

struct Shot {
    const char *file;
    const char *id;
    const char *caption;
    int width;
    int height;  // 0: as created
    int row;
    int column;
};

const Shot Shots[] = {
    {"ES1", "ES1", "Characterization of soil hydrologic groups (CPESC 2002)", 632, 0, 1, 1},
    {"ES3", "ES3", "Initial abstraction [mm]", 645, 0, 1, 2},
    {"EC2", "EC2", "Curve number for cultivated agricultural lands ", 740, 455, 19, 4},
    // At the minimum width the long titles wrap onto their second line.
    {"ES3-narrow", "ES3", "Initial abstraction [mm]", 530, 0, 6, 2},
};

bool Save(const Shot &shot, const QDir &dir)
{
    TSeleccionForm form;
    form.setWindowTitle(shot.caption);
    form.LoadTable(shot.id);
    if (shot.height > 0)
        form.SetOuterSize(shot.width, shot.height);
    else
        form.SetOuterWidth(shot.width);
    form.show();
    form.Grid->setCurrentIndex(form.DS->index(shot.row, shot.column));
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const QString path = dir.filePath(QString("%1.png").arg(shot.file));
    const bool saved = form.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tables_screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const Shot &shot : Shots)
        ok = Save(shot, dir) && ok;
    return ok ? 0 : 1;
}
