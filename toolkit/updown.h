#pragma once

#include <QWidget>
#include <cstdint>

class QToolButton;

// A spin control of two arrow buttons with a value between Min and Max. Change follows every change of
// Value, by an arrow click or by the program; it has no buddy field.
class UpDown : public QWidget
{
    Q_OBJECT

  public:
    explicit UpDown(QWidget* parent = nullptr);

    std::int32_t Value() const { return value_; }
    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }
    // The value is kept within Min and Max.
    void SetValue(std::int32_t value);
    void SetRange(std::int32_t min, std::int32_t max);

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

  signals:
    void Change();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void step(std::int32_t delta);

    QToolButton* up_;
    QToolButton* down_;
    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 10;
};
