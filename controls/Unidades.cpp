#include "controls/Unidades.h"

#include "controls/MessagePresenter.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>

#include <utility>

namespace velmaro {

namespace {

constexpr int kGap = 3;
constexpr int kUnitBoxWidth = 100;

// Hidden by the program (hide() or setVisible(false)), not merely not shown yet: the label and
// the unit box are hidden with the field only then.
bool ExplicitlyHidden(const QWidget *widget)
{
    return widget->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
           widget->testAttribute(Qt::WA_WState_Hidden);
}

} // namespace

// ---- TBoundLabel -------------------------------------------------------------------------------

TBoundLabel::TBoundLabel(TUnidades *owner)
    : owner_(owner)
{
    setObjectName(QStringLiteral("SubLabel"));
    setText(owner->objectName());
    setBuddy(owner);
    adjustSize();
}

void TBoundLabel::SetCaption(const QString &caption)
{
    setText(caption);
    SizeChanged();
}

void TBoundLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    SizeChanged();
}

void TBoundLabel::SizeChanged()
{
    if (autoSize_)
        adjustSize();
    owner_->AdjustLayout();
}

void TBoundLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        SizeChanged();
}

void TBoundLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    owner_->AdjustLayout();
}

// ---- TUnidades ---------------------------------------------------------------------------------

TUnidades::TUnidades(QWidget *parent)
    : TSciFloatEdit(parent)
    , model_(*this)
{
    SetDecimalPlaces(3);
    SetSciRange(true);
    SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTrimTrailingZeroes(true);
    label_ = new TBoundLabel(this);
    unitBox_ = new QComboBox;
    unitBox_->setObjectName(QStringLiteral("SubCombo"));
    unitBox_->setEditable(false);
    unitBox_->resize(kUnitBoxWidth, unitBox_->sizeHint().height());
    connect(unitBox_, &QComboBox::currentIndexChanged, this,
            [this](int unit) { GuardEntryPoint(this, [&] { ChangeUnit(unit); }); });
    FillUnitBox();
    if (parentWidget())
        PlaceInContainer();
}

TUnidades::~TUnidades()
{
    if (unitBox_)
        QObject::disconnect(unitBox_, nullptr, this, nullptr);
    delete unitBox_.data();
    delete label_.data();
}

void TUnidades::SetUnits(const QStringList &units)
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(units.size()));
    for (const QString &entry : units)
        entries.push_back(entry.toStdString());
    model_.SetUnits(std::move(entries));
    FillUnitBox();
}

QStringList TUnidades::Units() const
{
    QStringList units;
    for (const std::string &entry : model_.Units())
        units.push_back(QString::fromStdString(entry));
    return units;
}

void TUnidades::SetDefaultUnit(int unit)
{
    SelectInBox(unit);
    model_.SetDefaultUnit(unit);
    update();
}

long double TUnidades::InCurrentUnit(long double x) const
{
    // The field's own unit model, over a holder that only keeps the value it is given.
    HeldValue kept(x);
    UnitModel conversion(kept);
    conversion.SetUnits(model_.Units());
    conversion.SetBaseUnit(model_.BaseUnit());
    conversion.SetCurrentUnit(model_.CurrentUnit());
    conversion.OnCambioDeUnidad = model_.OnCambioDeUnidad;
    conversion.SetBaseValue(x);
    return kept.value;
}

QString TUnidades::UnitAsString() const
{
    return QString::fromStdString(model_.UnitAsString());
}

void TUnidades::ChangeUnit(int unit)
{
    SelectInBox(unit);
    model_.ChangeUnit(unit);
    update();
}

void TUnidades::SetOnCambioDeUnidad(T2VarFloat1VarEvent hook)
{
    model_.OnCambioDeUnidad = Bind(std::move(hook));
}

void TUnidades::SetOnReadBaseValue(T2VarFloat1VarEvent hook)
{
    model_.OnReadBaseValue = Bind(std::move(hook));
}

UnitConversionHook TUnidades::Bind(T2VarFloat1VarEvent hook)
{
    if (!hook)
        return {};
    return [this, hook = std::move(hook)](long double &float1, long double &float2,
                                          std::vector<double> var1) {
        hook(this, float1, float2, std::move(var1));
    };
}

void TUnidades::SetBounds(long double lower, long double upper)
{
    SetBoundLower(lower);
    SetBoundUpper(upper);
}

bool TUnidades::Placed() const
{
    return label_ && unitBox_ && unitBox_->parentWidget();
}

void TUnidades::PlaceInContainer()
{
    QWidget *container = parentWidget();
    const bool visible = !ExplicitlyHidden(this);
    label_->setParent(container);
    label_->setVisible(visible);
    unitBox_->setParent(container);
    unitBox_->setVisible(visible);
    unitBox_->setEditable(false);
    unitBox_->resize(kUnitBoxWidth, unitBox_->height());
    FillUnitBox();
    ReturnToDefaultUnit();
    AdjustLayout();
}

void TUnidades::FillUnitBox()
{
    if (!unitBox_)
        return;
    QSignalBlocker blocker(unitBox_);
    unitBox_->clear();
    for (const UnitEntry &unit : model_.Table())
        unitBox_->addItem(QString::fromStdString(unit.Name));
    SelectInBox(model_.CurrentUnit());
}

void TUnidades::SelectInBox(int unit)
{
    if (!unitBox_)
        return;
    QSignalBlocker blocker(unitBox_);
    unitBox_->setCurrentIndex(unit >= 0 && unit < unitBox_->count() ? unit : -1);
}

// The set-up points: the list is read again and the default unit made current, without
// converting the number shown and without touching the range.
void TUnidades::ReturnToDefaultUnit()
{
    model_.SetCurrentUnit(model_.DefaultUnit());
    SelectInBox(model_.DefaultUnit());
}

void TUnidades::Loaded()
{
    if (!Placed())
        return;
    model_.SetUnits(model_.Units());
    FillUnitBox();
    ReturnToDefaultUnit();
}

void TUnidades::CreateWnd()
{
    Loaded();
}

void TUnidades::AdjustLayout()
{
    if (!Placed())
        return;
    label_->move(x() - label_->width() - kGap, y() + (height() - label_->height()) / 2);
    unitBox_->move(x() + width() + kGap, y() + (height() - unitBox_->height()) / 2);
}

void TUnidades::setVisible(bool visible)
{
    TSciFloatEdit::setVisible(visible);
    if (!Placed())
        return;
    label_->setVisible(visible);
    unitBox_->setVisible(visible);
}

void TUnidades::changeEvent(QEvent *event)
{
    TSciFloatEdit::changeEvent(event);
    if (event->type() == QEvent::ParentChange && parentWidget() && label_ && unitBox_)
        GuardEntryPoint(this, [&] { PlaceInContainer(); });
    if (event->type() == QEvent::LayoutDirectionChange && label_ && unitBox_) {
        label_->setLayoutDirection(layoutDirection());
        unitBox_->setLayoutDirection(layoutDirection());
    }
}

void TUnidades::moveEvent(QMoveEvent *event)
{
    TSciFloatEdit::moveEvent(event);
    AdjustLayout();
}

void TUnidades::resizeEvent(QResizeEvent *event)
{
    TSciFloatEdit::resizeEvent(event);
    AdjustLayout();
}

} // namespace velmaro
