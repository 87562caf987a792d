#include "toolkit/updown.h"

#include <QToolButton>
#include <algorithm>

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::SetValue(std::int32_t value)
{
    value = std::clamp(value, min_, max_);
    if (value == value_)
        return;
    value_ = value;
    emit Change();
}

void UpDown::SetRange(std::int32_t min, std::int32_t max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetValue(value_);
}

void UpDown::step(std::int32_t delta)
{
    // Stops at the ends rather than wrapping; the bounds keep the sum in range.
    if ((delta > 0 && value_ < max_) || (delta < 0 && value_ > min_))
        SetValue(value_ + delta);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}
