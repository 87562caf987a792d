#include "app/form1.h"
#include "app/sizetext.h"
#include "toolkit/textbox.h"
#include "toolkit/updown.h"
#include "toolkit/virtualkey.h"

namespace {

// The saved caret and selection are 16-bit counts, so a longer text is refused like any invalid one.
constexpr qsizetype LongestFieldText = 32767;

} // namespace

Form1::SizeField Form1::widthField()
{
    return {Text2, UpDown1, LastGoodWidth, WidthSelStart, WidthSelLength, TargetWidth};
}

Form1::SizeField Form1::heightField()
{
    return {Text3, UpDown2, LastGoodHeight, HeightSelStart, HeightSelLength, TargetHeight};
}

void Form1::sizeFieldChange(const SizeField& field)
{
    if (SuppressSizeEvents)
        return;
    const QString text = field.text->text();
    if (text.isEmpty())
        return;
    if (text.size() > LongestFieldText || StartsWithDoubleByte(text) || !IsSignedDigits(text) ||
        text == QStringLiteral("-")) {
        reject(field);
        return;
    }
    bool fits = false;
    const qlonglong value = text.toLongLong(&fits);
    SuppressSizeEvents = true;
    if (fits && value >= field.spin->Min() && value <= field.spin->Max())
        accept(field, static_cast<std::int32_t>(value));
    else
        reject(field);
}

void Form1::accept(const SizeField& field, std::int32_t value)
{
    field.spin->SetValue(value);
    SuppressSizeEvents = false;
    field.lastGood = static_cast<std::int16_t>(field.spin->Value());
    saveSelection(field);
    field.target = static_cast<std::int16_t>(field.spin->Value());
}

void Form1::reject(const SizeField& field)
{
    SuppressSizeEvents = true;
    field.text->setText(QString::number(field.lastGood));
    SuppressSizeEvents = false;
    field.text->SetSelStart(field.selStart);
    field.text->SetSelLength(field.selLength);
}

void Form1::sizeFieldKeyUp(const SizeField& field, int keyCode)
{
    if (keyCode == VirtualKey::Delete || keyCode == VirtualKey::Back || keyCode == VirtualKey::Left ||
        keyCode == VirtualKey::Right)
        saveSelection(field);
}

void Form1::saveSelection(const SizeField& field)
{
    field.selStart = field.text->SelStart();
    field.selLength = field.text->SelLength();
}

void Form1::spinChange(const SizeField& field)
{
    if (!SuppressSizeEvents)
        field.text->setText(QString::number(field.spin->Value()));
}
