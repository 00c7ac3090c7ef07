#pragma once

// The units field: a TSciFloatEdit with its caption label on the left and a pick-only unit box
// on the right, all three in the field's container, carrying the unit model. The value shown is
// in the unit picked in the box; GetBaseValue and SetBaseValue work in the base unit.

#include "controls/SciEdit.h"
#include "text/UnitModel.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

namespace velmaro {

class TUnidades;

// The caption beside a units field. Its accelerator key focuses the field; whenever it changes
// size (caption, font, resize) the field re-places it.
class TBoundLabel : public QLabel {
    Q_OBJECT
public:
    explicit TBoundLabel(TUnidades *owner);

    // The caption, sized to it with AutoSize; QLabel's setText leaves the size as it is.
    void SetCaption(const QString &caption);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    int Left() const { return x(); }
    int Top() const { return y(); }
    void SetWidth(int width) { resize(width, height()); }
    void SetHeight(int height) { resize(width(), height); }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void SizeChanged();

    TUnidades *owner_;
    bool autoSize_ = true;
};

class TUnidades : public TSciFloatEdit, private UnitValueHolder {
    Q_OBJECT
public:
    // Sender, Float1, Float2, Var1: see UnitModel's conversion hooks.
    using T2VarFloat1VarEvent = std::function<void(TUnidades *Sender, long double &Float1,
                                                   long double &Float2, std::vector<double> Var1)>;

    // Placed beside its label and unit box in parent (or later, when a parent is set).
    explicit TUnidades(QWidget *parent = nullptr);
    ~TUnidades() override;

    // Throws UnitListError naming an entry whose factor or offset is not a number.
    void SetUnits(const QStringList &units);
    QStringList Units() const;
    int BaseUnit() const { return model_.BaseUnit(); }
    void SetBaseUnit(int unit) { model_.SetBaseUnit(unit); }
    int DefaultUnit() const { return model_.DefaultUnit(); }
    void SetDefaultUnit(int unit);
    int CurrentUnit() const { return model_.CurrentUnit(); }
    bool AutoRecalculate() const { return model_.AutoRecalculate(); }
    void SetAutoRecalculate(bool on) { model_.SetAutoRecalculate(on); }
    long double BaseMin() const { return model_.BaseMin(); }
    void SetBaseMin(long double value) { model_.SetBaseMin(value); }
    long double BaseMax() const { return model_.BaseMax(); }
    void SetBaseMax(long double value) { model_.SetBaseMax(value); }
    bool UseRange() const { return model_.UseRange(); }
    void SetUseRange(bool on) { model_.SetUseRange(on); }

    // May throw ConversionError (the text is read first).
    long double GetBaseValue() { return model_.GetBaseValue(); }
    void SetBaseValue(long double x) { model_.SetBaseValue(x); }
    // x, given in the base unit, as SetBaseValue would show it, without showing it.
    long double InCurrentUnit(long double x) const;
    QString UnitAsString() const;
    void ChangeUnit(int unit);
    void UpdateRange() { model_.UpdateRange(); }

    void SetOnCambioDeUnidad(T2VarFloat1VarEvent hook);
    void SetOnReadBaseValue(T2VarFloat1VarEvent hook);

    TBoundLabel *EditLabel() const { return label_; }
    QComboBox *UnitBox() const { return unitBox_; }

    // Label 3 px left of the field, unit box 3 px right, both centred vertically. The field's
    // move and resize events run it: Qt holds those back while the field is not shown.
    void AdjustLayout();
    void setVisible(bool visible) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    long double ShownValue() override { return AsFloat(); }
    void ShowValue(long double value) override { SetAsFloat(value); }
    void SetBounds(long double lower, long double upper) override;
    void EnableBounds(bool on) override { SetBoundsEnabled(on); }

    bool Placed() const;
    void PlaceInContainer();
    void FillUnitBox();
    void SelectInBox(int unit);
    void ReturnToDefaultUnit();
    UnitConversionHook Bind(T2VarFloat1VarEvent hook);

    UnitModel model_;
    QPointer<TBoundLabel> label_;
    QPointer<QComboBox> unitBox_;
};

} // namespace velmaro
