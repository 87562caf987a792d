#pragma once

#include "app/form1.h"
#include "settings/appsettings.h"
#include "toolkit/openfiledialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// An open-file dialog that answers with what the test scripted, and remembers what it was asked.
class ScriptedDialog final : public OpenFileDialog
{
  public:
    std::optional<QString> answer;
    std::optional<OpenFileRequest> asked;

    std::optional<QString> pick(QWidget*, const OpenFileRequest& request) override
    {
        asked = request;
        return answer;
    }
};

// A window whose program folder is a fresh temporary folder, so each test has its own settings file.
class FormTest : public ::testing::Test
{
  protected:
    FormTest() { SetAppFolder(folder.path()); }
    ~FormTest() override { SetAppFolder(QString()); }

    QString settingsPath() const { return folder.filePath(QStringLiteral("Kadrelle.ini")); }

    void writeSettings(const QByteArray& content)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readSettings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Form1& open(int screenWidth = 1280)
    {
        const QRect screenArea(0, 0, screenWidth, 1024);
        return open(ScreenMetrics{screenArea.adjusted(0, 0, 0, -40), screenArea});
    }

    // Starts the window on a screen of these sizes and shows it, as the program does before anything can be
    // dropped on it.
    Form1& open(const ScreenMetrics& screen)
    {
        auto scripted = std::make_unique<ScriptedDialog>();
        dialog = scripted.get();
        form = std::make_unique<Form1>(std::move(scripted), screen);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }

    // Shows the window and gives it the keyboard, as a click on it does.
    void showActive()
    {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename Control> Control* control(const char* name) const
    {
        auto* found = form->findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static bool messageBoxShown()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget) != nullptr)
                return true;
        return false;
    }

    QTemporaryDir folder;
    ScriptedDialog* dialog = nullptr;
    std::unique_ptr<Form1> form;
};
