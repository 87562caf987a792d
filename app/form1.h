#pragma once

#include "toolkit/screenmetrics.h"

#include <QMargins>
#include <QWidget>
#include <cstdint>
#include <memory>

class ComboBox;
class OpenFileDialog;
class OptionButton;
class PictureBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class TextBox;
class UpDown;

// The program's one window: drop a picture on it or on the preview box to cut and save the centre crop.
// Controls keep their kind-and-number names as object names, which is also how tests find them.
class Form1 : public QWidget
{
    Q_OBJECT

  public:
    Form1(std::unique_ptr<OpenFileDialog> dialog, const ScreenMetrics& screen);
    Form1();
    ~Form1() override;

    // Writes the five settings; the close runs it, and so does the end of the desktop session.
    void Form_QueryUnload();

    std::int16_t targetWidth() const { return TargetWidth; }
    std::int16_t targetHeight() const { return TargetHeight; }
    std::int16_t previewMaxWidth() const { return PreviewMaxWidth; }
    std::int16_t previewMaxHeight() const { return PreviewMaxHeight; }
    const QString& currentFile() const { return CurrentFile; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // One size field with its spin control and the state kept for it.
    struct SizeField
    {
        TextBox* text;
        UpDown* spin;
        std::int16_t& lastGood;
        int& selStart;
        int& selLength;
        std::int16_t& target;
    };

    void createControls();
    void setTabOrder();
    void connectHandlers();

    void FitFormToWorkArea();
    void Form_Load();
    void Form_Activate();
    void fitFrameToWorkArea();
    QMargins frameMargins() const;
    void layOutPreview();

    void Option1_Click();
    void Option2_Click();
    void Combo1_Click();
    void enableSizeControls(bool customSize);
    void setTargetFromPreset();

    void Text2_Change() { sizeFieldChange(widthField()); }
    void Text3_Change() { sizeFieldChange(heightField()); }
    void Text2_KeyUp(int keyCode) { sizeFieldKeyUp(widthField(), keyCode); }
    void Text3_KeyUp(int keyCode) { sizeFieldKeyUp(heightField(), keyCode); }
    void Text2_MouseUp() { saveSelection(widthField()); }
    void Text3_MouseUp() { saveSelection(heightField()); }
    void UpDown1_Change() { spinChange(widthField()); }
    void UpDown2_Change() { spinChange(heightField()); }
    SizeField widthField();
    SizeField heightField();
    void sizeFieldChange(const SizeField& field);
    void sizeFieldKeyUp(const SizeField& field, int keyCode);
    void saveSelection(const SizeField& field);
    void spinChange(const SizeField& field);
    void accept(const SizeField& field, std::int32_t value);
    void reject(const SizeField& field);

    void Command1_Click();
    void Text1_GotFocus();
    void Command2_Click();

    void Form_OLEDragDrop(const QStringList& paths) { dropFiles(paths); }
    void Picture2_OLEDragDrop(const QStringList& paths) { dropFiles(paths); }
    void dropFiles(const QStringList& paths);
    // Gives the output path its serial, trims and saves CurrentFile, shows the crop and moves the serial on;
    // returns the status message.
    QString TrimAndSave();

    void report(const QString& message);

    std::unique_ptr<OpenFileDialog> CommonDialog1;
    const ScreenMetrics screen_;
    bool activated_ = false;
    // The frame margins the window was last fitted with; the window manager reports them after the show.
    QMargins fittedFrame_;

    QWidget* Surface = nullptr;
    QScrollArea* PreviewView = nullptr;
    PictureBox* Picture2 = nullptr;
    TextBox* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    PictureBox* Picture1 = nullptr;
    OptionButton* Option1 = nullptr;
    OptionButton* Option2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    ComboBox* Combo1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label3 = nullptr;
    TextBox* Text2 = nullptr;
    UpDown* UpDown1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TextBox* Text3 = nullptr;
    UpDown* UpDown2 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* StatusLine = nullptr;

    QString CurrentFile;
    std::int16_t TargetWidth = 0;
    std::int16_t TargetHeight = 0;
    std::int16_t PreviewMaxWidth = 0;
    std::int16_t PreviewMaxHeight = 0;

    bool SuppressSizeEvents = false;
    std::int16_t LastGoodWidth = 0;
    std::int16_t LastGoodHeight = 0;
    int WidthSelStart = 0;
    int WidthSelLength = 0;
    int HeightSelStart = 0;
    int HeightSelLength = 0;
};
