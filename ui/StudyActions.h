#pragma once

// The window's study: the File menu's study items with Open Recent, the study's properties, the
// title bar naming the study and marking its unsaved changes, and the prompt that keeps them
// from being lost when the window closes or another study is opened.

#include "rainfall/DesignStorm.h"
#include "study/Study.h"

#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace velmaro {

class TMainFormVelmaro;

class StudyActions final : public QObject {
    Q_OBJECT

public:
    // Adds its items to the window's File menu, after the described ones, and takes the window
    // as it is now as the state without unsaved changes.
    explicit StudyActions(TMainFormVelmaro &window);
    ~StudyActions() override;

    QAction *N3, *OpenStudy1, *SaveStudy1, *SaveStudyAs1, *N4, *StudyProperties1;
    QMenu *OpenRecent1;

    // Each shows its own message and answers false when nothing was opened or saved. Opening
    // first asks about unsaved changes, as closing does.
    bool OpenStudy(const QString &path);
    bool SaveStudy(const QString &path);
    // To the study's own file, or to one the user chooses.
    bool Save();
    bool SaveAs();
    void EditProperties();

    // The study as the window shows it. Throws the conversion error of a field whose text is
    // not a number.
    study::Study CurrentStudy() const;
    bool HasUnsavedChanges() const;
    // Closing or replacing the study: false when the user cancels or saving fails.
    bool MayDiscard();
    // The study's file; empty until one is opened or saved.
    const QString &Path() const { return path_; }
    const study::Properties &Properties() const { return properties_; }
    QStringList RecentStudies() const;

    // The series in use was taken from the "Rainfall series" table; `storm` made it, if any.
    void SeriesTaken(const std::optional<rainfall::StormRecipe> &storm);
    // The storm that laid the series in use, while the series still holds its heights.
    std::optional<rainfall::StormRecipe> StormStillLaid() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The storm that laid a series, with the heights it laid: it describes the series in use
    // while that series still holds them.
    struct LaidStorm {
        rainfall::StormRecipe recipe;
        bool cumulative;
        std::vector<double> heights;
    };

    void BuildMenu();
    void WatchForChanges();
    void ScheduleTitle();
    void ShowTitle();
    bool Refuse(const QString &message);
    // Every unit a study names must be one its field or list offers; nothing changes otherwise.
    bool CheckUnitsChosen(const study::StudyReading &reading, const QString &path);
    void WriteIntoWindow(const study::Study &study);
    void WriteQuietly(const study::Study &study);
    void TakeAsSaved(const study::Study &study, const QString &path);
    std::optional<LaidStorm> StormOfSeries(const std::optional<rainfall::StormRecipe> &recipe) const;
    void ChooseAndOpen();
    void RememberRecent(const QString &path);
    void ForgetRecent(const QString &path);
    void FillRecentMenu();

    TMainFormVelmaro &window_;
    QString path_;
    // The study as last opened or saved (or as the window started), its tab left out: browsing
    // the tabs changes nothing worth saving.
    std::string savedText_;
    study::Properties properties_;
    std::optional<LaidStorm> storm_;
    bool titlePending_ = false;
    // The list of recent studies; written out once the event loop regains control, not while a
    // study is being opened or saved.
    QSettings settings_;
};

} // namespace velmaro
