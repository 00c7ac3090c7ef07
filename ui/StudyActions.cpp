#include "ui/StudyActions.h"

#include "controls/MessagePresenter.h"
#include "controls/Unidades.h"
#include "engine/ModelState.h"
#include "ui/MainFormVelmaro.h"
#include "ui/StudyPropertiesDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace velmaro {

namespace {

constexpr int kRecentCount = 8;
const QString kRecentKey = QStringLiteral("studies/recent");
const QString kCaption = QStringLiteral("Velmaro");
const QString kFilter = QStringLiteral("Velmaro studies (*.velmaro);;All files (*)");

using W = TMainFormVelmaro;

// The window's units fields by their keys in a study: the inputs keep their values, the other
// fields only the unit chosen.
struct FieldKey {
    const char *key;
    TUnidades *W::*field;
};

constexpr FieldKey kInputFields[] = {
    {"FlowLength", &W::euDdpmrhls},         {"LevelDifference", &W::euDntepmrys},
    {"WatershedArea", &W::euAc},            {"InitialAbstraction", &W::euAi},
    {"TimeStep", &W::euPtsd},               {"CurveNumber", &W::euNc},
};

constexpr FieldKey kUnitFields[] = {
    {"ConcentrationTimeUnit", &W::euTccResultado}, {"HeightUnit", &W::euAll},
    {"PotentialRetentionUnit", &W::euRpmResultado}, {"TotalVolumeUnit", &W::euVteResultado},
    {"SpecificVolumeUnit", &W::euVtespResultado},   {"PeakDischargeUnit", &W::euCpResultado},
};

// The lists above the grids, by their keys.
struct ListKey {
    const char *key;
    QComboBox *W::*list;
};

constexpr ListKey kUnitLists[] = {
    {"IntensityGridUnit", &W::cbUnidadesHietograma},
    {"DepthGridUnit", &W::cbUnidadesVolumenes},
    {"DischargeGridUnit", &W::cbUnidadHidrograma},
};

// Lists whose entry k is the model's choice k.
struct ChoiceList {
    std::uint8_t ModelState::*choice;
    QComboBox *W::*list;
};

constexpr ChoiceList kChoiceLists[] = {{&ModelState::SoilGroup, &W::cbGh},
                                       {&ModelState::UnitHydrograph, &W::cbUnitHydrograph}};

// Land use k is the radio button k.
constexpr QRadioButton *W::*kLandUses[] = {&W::rbAu, &W::rbTac, &W::rbOta, &W::rbTpas};

// Every unit box and list whose choice a study keeps without a value, by key.
std::vector<std::pair<const char *, QComboBox *>> UnitChoices(const W &window)
{
    std::vector<std::pair<const char *, QComboBox *>> choices;
    for (const FieldKey &field : kUnitFields)
        choices.emplace_back(field.key, (window.*field.field)->UnitBox());
    for (const ListKey &list : kUnitLists)
        choices.emplace_back(list.key, window.*list.list);
    return choices;
}

QString Utf8(const std::string &text)
{
    return QString::fromStdString(text);
}

bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

const Series &StoreOf(const ModelState &model, bool cumulative)
{
    return cumulative ? model.EnteredCumulative : model.EnteredPartial;
}

// The model's inputs with the choices as the window's lists and buttons show them.
ModelState InputsShown(const W &window)
{
    ModelState inputs = study::InputsOf(window.Model());
    for (const ChoiceList &choice : kChoiceLists)
        inputs.*choice.choice = static_cast<std::uint8_t>(std::max((window.*choice.list)->currentIndex(), 0));
    inputs.AssignInitialAbstraction = window.cbAai->isChecked() ? 1 : 0;
    inputs.PartialSeries = window.rbAcumulada->isChecked() ? 0 : 1;
    for (std::uint8_t use = 0; use < std::size(kLandUses); ++use)
        if ((window.*kLandUses[use])->isChecked())
            inputs.LandUse = use;
    return inputs;
}

// The text two studies are compared by: the tab shown is no change worth saving.
std::string ComparedText(study::Study study)
{
    study.tab = study::Tab::Geometry;
    return study::WriteStudyText(study);
}

} // namespace

StudyActions::StudyActions(TMainFormVelmaro &window)
    : QObject(&window), window_(window),
      settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmaro"), QStringLiteral("velmaro"))
{
    properties_.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    BuildMenu();
    WatchForChanges();
    savedText_ = ComparedText(CurrentStudy());
    window_.installEventFilter(this);
}

StudyActions::~StudyActions() = default;

void StudyActions::BuildMenu()
{
    QMenu *file = window_.Archivo1;
    const auto item = [this, file](const char *name, const char *caption, const QKeySequence &keys,
                                   std::function<void()> work) {
        QAction *action = file->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this,
                [this, work] { GuardEntryPoint(&window_, work); });
        return action;
    };
    N3 = file->addSeparator();
    N3->setObjectName(QStringLiteral("N3"));
    OpenStudy1 = item("OpenStudy1", "&Open Study...", QKeySequence(Qt::CTRL | Qt::Key_O),
                      [this] { ChooseAndOpen(); });
    SaveStudy1 = item("SaveStudy1", "&Save Study", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(); });
    SaveStudyAs1 = item("SaveStudyAs1", "Save Study &As...",
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveAs(); });
    OpenRecent1 = file->addMenu(QStringLiteral("Open &Recent"));
    OpenRecent1->setObjectName(QStringLiteral("OpenRecent1"));
    connect(OpenRecent1, &QMenu::aboutToShow, this, &StudyActions::FillRecentMenu);
    N4 = file->addSeparator();
    N4->setObjectName(QStringLiteral("N4"));
    StudyProperties1 = item("StudyProperties1", "Study &Properties...", QKeySequence(),
                            [this] { EditProperties(); });
    OpenRecent1->menuAction()->setEnabled(!RecentStudies().isEmpty());
}

// Any change of a field, list or button may change the study: the title is brought up to date
// once the change and the recomputation it runs are over.
void StudyActions::WatchForChanges()
{
    for (QLineEdit *edit : window_.findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textChanged, this, &StudyActions::ScheduleTitle);
    for (QComboBox *list : window_.findChildren<QComboBox *>())
        connect(list, &QComboBox::currentIndexChanged, this, &StudyActions::ScheduleTitle);
    for (QAbstractButton *button : window_.findChildren<QAbstractButton *>())
        connect(button, &QAbstractButton::toggled, this, &StudyActions::ScheduleTitle);
}

void StudyActions::ScheduleTitle()
{
    if (path_.isEmpty() || std::exchange(titlePending_, true))
        return;
    QTimer::singleShot(0, this, &StudyActions::ShowTitle);
}

// "Velmaro - <study>" once a study is opened or saved, marked while it has unsaved changes.
void StudyActions::ShowTitle()
{
    titlePending_ = false;
    window_.setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(path_).completeBaseName() +
                           QStringLiteral("[*]"));
    window_.setWindowModified(HasUnsavedChanges());
}

study::Study StudyActions::CurrentStudy() const
{
    study::Study study;
    study.inputs = InputsShown(window_);
    for (const FieldKey &input : kInputFields) {
        TUnidades *field = window_.*input.field;
        study.fields[input.key] = {field->AsFloat(), field->UnitAsString().toStdString()};
    }
    for (const auto &[key, box] : UnitChoices(window_))
        study.units[key] = box->currentText().toStdString();
    study.stepShown = std::max(window_.cbLluvia->currentIndex() + 1, 1);
    study.storm = StormStillLaid();
    study.tab = static_cast<study::Tab>(std::max(window_.PageControl1->currentIndex(), 0));
    study.properties = properties_;
    return study;
}

std::optional<rainfall::StormRecipe> StudyActions::StormStillLaid() const
{
    const ModelState &model = window_.Model();
    const bool cumulative = window_.rbAcumulada->isChecked();
    if (!storm_ || storm_->cumulative != cumulative || static_cast<int>(storm_->heights.size()) != model.StepCount)
        return std::nullopt;
    const Series &store = StoreOf(model, cumulative);
    for (int step = 1; step <= model.StepCount; ++step)
        if (!SameBits(storm_->heights[static_cast<std::size_t>(step - 1)], store[step]))
            return std::nullopt;
    return storm_->recipe;
}

bool StudyActions::HasUnsavedChanges() const
{
    try {
        return ComparedText(CurrentStudy()) != savedText_;
    } catch (const std::exception &) {
        return true; // a field that cannot be read differs from every study
    }
}

bool StudyActions::MayDiscard()
{
    if (!HasUnsavedChanges())
        return true;
    const QString name = path_.isEmpty() ? QStringLiteral("this new study")
                                         : QStringLiteral("\"%1\"").arg(QFileInfo(path_).completeBaseName());
    const Question question{
        kCaption, QStringLiteral("Save changes to %1?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save, QMessageBox::Cancel};
    switch (Messages().Ask(&window_, question)) {
    case QMessageBox::Save:
        return Save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool StudyActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::Close) {
        bool mayClose = false;
        GuardEntryPoint(&window_, [this, &mayClose] { mayClose = MayDiscard(); });
        if (!mayClose) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool StudyActions::Refuse(const QString &message)
{
    ShowErrorMessage(message, &window_);
    return false;
}

bool StudyActions::OpenStudy(const QString &path)
{
    study::StudyReading reading;
    try {
        reading = study::ReadStudyFile(QFile::encodeName(path).toStdString());
    } catch (const study::StudyError &error) {
        if (!QFileInfo::exists(path))
            ForgetRecent(path);
        return Refuse(QStringLiteral("The study could not be opened: ") + ErrorText(error));
    }
    if (!CheckUnitsChosen(reading, path) || !MayDiscard())
        return false;
    WriteIntoWindow(reading.study);
    TakeAsSaved(CurrentStudy(), path);
    if (!reading.notes.empty()) {
        QStringList notes;
        for (const std::string &note : reading.notes)
            notes.append(Utf8(note));
        Messages().ShowNote(&window_, kCaption,
                            QStringLiteral("%1 was written by a newer Velmaro. What this one does not know was "
                                           "skipped:\n%2")
                                .arg(path, notes.join(QLatin1Char('\n'))));
    }
    return true;
}

bool StudyActions::CheckUnitsChosen(const study::StudyReading &reading, const QString &path)
{
    for (const auto &[key, box] : UnitChoices(window_)) {
        const auto chosen = reading.study.units.find(key);
        if (chosen == reading.study.units.end() || box->findText(Utf8(chosen->second)) >= 0)
            continue;
        QStringList offered;
        for (int entry = 0; entry < box->count(); ++entry)
            offered.append(box->itemText(entry));
        return Refuse(QStringLiteral("The study could not be opened: %1, line %2: %3: '%4' is none of its units: %5")
                          .arg(path)
                          .arg(reading.lines.at(key))
                          .arg(QString::fromUtf8(key), Utf8(chosen->second), offered.join(QStringLiteral(", "))));
    }
    return true;
}

// The whole study at once, as a user who typed it would leave the window; the recomputation runs
// once, at the end, not for every field written. It runs to the Runoff tab (the Report tab when
// that is shown), so that every tab and the status panel show the study's results.
void StudyActions::WriteIntoWindow(const study::Study &study)
{
    WriteQuietly(study);
    if (study.tab == study::Tab::Report)
        window_.TabSheet1Show();
    else
        window_.EscorrentiaShow();
}

// Every control and the entered series, with no handler running for any of them.
void StudyActions::WriteQuietly(const study::Study &study)
{
    W &w = window_;
    ModelState &model = w.Model();
    std::vector<std::pair<TUnidades *, std::function<void(TSciCustomEdit *)>>> quieted;
    for (TUnidades *field : w.findChildren<TUnidades *>())
        quieted.emplace_back(field, std::exchange(field->OnChange, nullptr));
    const auto restore = qScopeGuard([&quieted] {
        for (auto &[field, onChange] : quieted)
            field->OnChange = std::move(onChange);
    });
    std::vector<std::unique_ptr<QSignalBlocker>> blocked;
    for (QObject *handled : std::initializer_list<QObject *>{w.PageControl1, w.cbAai, w.rbAcumulada,
                                                             w.rcParcial, w.rbAu, w.rbTac, w.rbOta, w.rbTpas})
        blocked.push_back(std::make_unique<QSignalBlocker>(handled));

    w.PageControl1->setCurrentIndex(static_cast<int>(study.tab));
    // A field first shown later would return to its first unit then, as when it is created.
    for (TUnidades *field : w.findChildren<TUnidades *>())
        field->CreateNativeOnce();
    for (const FieldKey &input : kInputFields) {
        TUnidades *field = w.*input.field;
        const study::FieldEntry &entry = study.fields.at(input.key);
        field->UnitBox()->setCurrentIndex(field->UnitBox()->findText(Utf8(entry.unit)));
        field->SetAsFloat(entry.value);
    }
    for (const auto &[key, box] : UnitChoices(w)) {
        const auto chosen = study.units.find(key);
        box->setCurrentIndex(chosen == study.units.end() ? 0 : box->findText(Utf8(chosen->second)));
    }

    for (const ChoiceList &choice : kChoiceLists)
        (w.*choice.list)->setCurrentIndex(study.inputs.*choice.choice);
    w.cbAai->setChecked(study.inputs.AssignInitialAbstraction != 0);
    w.ShowAbstractionControls();
    (study.inputs.PartialSeries ? w.rcParcial : w.rbAcumulada)->setChecked(true);
    w.ShowHeightCaption();
    (w.*kLandUses[std::min<std::size_t>(study.inputs.LandUse, std::size(kLandUses) - 1)])->setChecked(true);

    model.StepCount = study.inputs.StepCount;
    model.EnteredPartial = study.inputs.EnteredPartial;
    model.EnteredCumulative = study.inputs.EnteredCumulative;
    w.cbSall->setCurrentIndex(model.StepCount - 1);
    TMainFormVelmaro::FillNumberList(w.cbLluvia, model.StepCount);
    w.cbLluvia->setCurrentIndex(study.stepShown - 1);
    w.euAll->SetBaseValue(StoreOf(model, !study.inputs.PartialSeries)[study.stepShown]);

    properties_ = study.properties;
    storm_ = StormOfSeries(study.storm);
}

std::optional<StudyActions::LaidStorm>
StudyActions::StormOfSeries(const std::optional<rainfall::StormRecipe> &recipe) const
{
    if (!recipe)
        return std::nullopt;
    const ModelState &model = window_.Model();
    const bool cumulative = window_.rbAcumulada->isChecked();
    LaidStorm laid{*recipe, cumulative, {}};
    for (int step = 1; step <= model.StepCount; ++step)
        laid.heights.push_back(StoreOf(model, cumulative)[step]);
    return laid;
}

void StudyActions::SeriesTaken(const std::optional<rainfall::StormRecipe> &storm)
{
    if (storm)
        storm_ = StormOfSeries(storm);
    window_.ShowStormMade();
    ScheduleTitle();
}

void StudyActions::TakeAsSaved(const study::Study &study, const QString &path)
{
    path_ = QFileInfo(path).absoluteFilePath();
    savedText_ = ComparedText(study);
    RememberRecent(path_);
    ShowTitle();
}

bool StudyActions::SaveStudy(const QString &path)
{
    study::Study current;
    try {
        current = CurrentStudy();
        study::WriteStudyFile(current, QFile::encodeName(path).toStdString());
    } catch (const study::StudyError &error) {
        return Refuse(QFile::decodeName(error.what()) + QLatin1Char('.'));
    } catch (const std::exception &refusal) {
        return Refuse(QStringLiteral("The study was not saved: ") + ErrorText(refusal));
    }
    TakeAsSaved(current, path);
    return true;
}

bool StudyActions::Save()
{
    return path_.isEmpty() ? SaveAs() : SaveStudy(path_);
}

bool StudyActions::SaveAs()
{
    QString suggested = path_;
    if (suggested.isEmpty()) {
        const QString project = Utf8(properties_.project).replace(QLatin1Char('/'), QLatin1Char('-'));
        suggested = (project.isEmpty() ? QStringLiteral("study") : project) + QStringLiteral(".velmaro");
    }
    QFileDialog chooser(&window_, QStringLiteral("Save Study As"), suggested, kFilter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("velmaro"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return false;
    return SaveStudy(chooser.selectedFiles().constFirst());
}

void StudyActions::ChooseAndOpen()
{
    const QString path = QFileDialog::getOpenFileName(&window_, QStringLiteral("Open Study"),
                                                      QFileInfo(path_).path(), kFilter);
    if (!path.isEmpty())
        OpenStudy(path);
}

void StudyActions::EditProperties()
{
    StudyPropertiesDialog dialog(properties_, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    properties_ = dialog.Properties();
    ScheduleTitle();
}

QStringList StudyActions::RecentStudies() const
{
    return settings_.value(kRecentKey).toStringList();
}

void StudyActions::RememberRecent(const QString &path)
{
    QStringList recent = RecentStudies();
    recent.removeAll(path);
    recent.prepend(path);
    settings_.setValue(kRecentKey, recent.mid(0, kRecentCount));
    OpenRecent1->menuAction()->setEnabled(true);
}

void StudyActions::ForgetRecent(const QString &path)
{
    QStringList recent = RecentStudies();
    if (recent.removeAll(QFileInfo(path).absoluteFilePath()) == 0)
        return;
    settings_.setValue(kRecentKey, recent);
    OpenRecent1->menuAction()->setEnabled(!recent.isEmpty());
}

// Filled as it opens, so that no entry is taken away while its own command runs.
void StudyActions::FillRecentMenu()
{
    OpenRecent1->clear();
    const QStringList recent = RecentStudies();
    OpenRecent1->menuAction()->setEnabled(!recent.isEmpty());
    for (int k = 0; k < recent.size(); ++k) {
        const QString path = recent[k];
        QAction *entry = OpenRecent1->addAction(
            QStringLiteral("&%1 %2").arg(k + 1).arg(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        connect(entry, &QAction::triggered, this,
                [this, path] { GuardEntryPoint(&window_, [this, path] { OpenStudy(path); }); });
    }
}

} // namespace velmaro
