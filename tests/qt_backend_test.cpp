// The Qt front end under the offscreen platform: the main window's layout,
// captions and the settings flow driven with QTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/start_up.h"
#include "backup/daily_backup.h"
#include "platform/posix/code_page.h"
#include "settings_window/settings_window_layout.h"
#include "tests/game_folder.h"
#include "toolkit/toolkit.h"

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

class QtBackend : public testing::Test {
protected:
    void SetUp() override {
        const auto runtime = folder.At("run");
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startDate;1976\r\nstartMoney;5000\r\n");
        // Today's backup exists, so the start shows no message.
        folder.Write("toolsbak/" + AnsiToUtf8(DayStamp()) + "/ini.txt", "");
    }
    void TearDown() override {
        if (window_ != nullptr) {
            window_->close();
            QApplication::processEvents();
        }
    }

    void Start() {
        StartProgram(folder.ProgramFile());
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "SettingsEditorWindow" && top->isVisible()) {
                window_ = top;
            }
        }
        ASSERT_NE(window_, nullptr);
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    }

    template <typename W>
    W* Find(const char* role) {
        return window_->findChild<W*>(QString::fromLatin1(role));
    }

    // The user picks an item of a drop-down list.
    void Pick(const char* role, int index) {
        auto* list = Find<QComboBox>(role);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // Presses OK in the next message box, and keeps its text.
    void AnswerNextMessageBox() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                AnswerNextMessageBox();
                return;
            }
            answered_.push_back(box->windowTitle() + "|" + box->text());
            box->accept();
        });
    }

    GameFolder folder;
    QWidget* window_ = nullptr;
    QStringList answered_;
};

TEST_F(QtBackend, MainWindowMatchesItsLayoutTable) {
    Start();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window_->frameGeometry(),
              QRect((screen.width() - 447) / 2, (screen.height() - 316) / 2, 447, 316));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the frame is fixed";
    EXPECT_FALSE(window_->windowIcon().isNull());
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);

    const tk::WindowLayout layout = SettingsWindowLayout(nullptr);
    for (const tk::ControlLayout& control : layout.controls) {
        SCOPED_TRACE(control.name);
        QWidget* widget = Find<QWidget>(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(),
                  QRect(control.left, control.top, control.width, control.height));
        const char* parent =
            control.parent == tk::kWindowRole
                ? "SettingsEditorWindow"
                : layout.controls[static_cast<std::size_t>(control.parent - 1)].name;
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(parent));
        EXPECT_EQ(widget->isVisible(), control.shown);
        EXPECT_EQ(widget->isEnabled(), control.enabled);
        switch (control.kind) {
            case tk::ControlKind::GroupBox:
                EXPECT_NE(qobject_cast<QGroupBox*>(widget), nullptr);
                break;
            case tk::ControlKind::DropDownList:
                ASSERT_NE(qobject_cast<QComboBox*>(widget), nullptr);
                EXPECT_FALSE(qobject_cast<QComboBox*>(widget)->isEditable());
                break;
            case tk::ControlKind::EditBox:
                EXPECT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
                break;
            case tk::ControlKind::PushButton:
                EXPECT_NE(qobject_cast<QPushButton*>(widget), nullptr);
                break;
            case tk::ControlKind::Label:
                EXPECT_NE(qobject_cast<QLabel*>(widget), nullptr);
                break;
            case tk::ControlKind::ReportView:
                EXPECT_NE(qobject_cast<QTableView*>(widget), nullptr);
                break;
        }
    }
    // Buttons that lie over TablesGroup without being its children are drawn above it.
    const QRect research = Find<QWidget>("ResearchButton")->geometry();
    EXPECT_EQ(window_->childAt(research.center())->objectName(), "ResearchButton");
    EXPECT_EQ(Find<QComboBox>("change")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>("SettingList")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("INI")->count(), 104);
}

TEST_F(QtBackend, CaptionsFollowTheLanguage) {
    Start();
    EXPECT_EQ(window_->windowTitle(), Utf8("Brask 工具箱          Version:1.13"));
    EXPECT_EQ(Find<QPushButton>("SaveButton")->text(), Utf8("保存"));
    EXPECT_EQ(Find<QLabel>("LanguageLabel")->text(), Utf8("界面语言："));
    EXPECT_EQ(Find<QComboBox>("SettingList")->itemText(6), Utf8("初始资金"));

    Pick("change", 2);
    EXPECT_EQ(window_->windowTitle(), Utf8("Brask Tools          Version:1.13"));
    EXPECT_EQ(Find<QPushButton>("SaveButton")->text(), Utf8("Save"));
    EXPECT_EQ(Find<QGroupBox>("TablesGroup")->title(), Utf8("Game tables"));
    EXPECT_EQ(Find<QComboBox>("SettingList")->itemText(6), Utf8("Start money"));
    EXPECT_EQ(Find<QPushButton>("AboutButton")->text(), Utf8("About"));

    Pick("change", 1);
    EXPECT_EQ(Find<QPushButton>("SaveButton")->text(), Utf8("儲存"));
    EXPECT_EQ(Find<QPushButton>("PublishButton")->text(), Utf8("發佈我的修改"));
    EXPECT_EQ(Find<QPushButton>("AboutButton")->text(), Utf8("About"));
    EXPECT_EQ(Find<QComboBox>("change")->itemText(1), Utf8("[Chinese Traditional]"));
}

TEST_F(QtBackend, WithoutALanguageFileTheDefaultsShow) {
    std::filesystem::remove(folder.At("language.ini"));
    Start();
    EXPECT_EQ(window_->windowTitle(), Utf8("Brask Tools          Version:1.13"));
    EXPECT_EQ(Find<QLabel>("LanguageLabel")->text(), Utf8("language"));
    EXPECT_EQ(Find<QPushButton>("SaveButton")->text(), QString());
    EXPECT_EQ(Find<QComboBox>("SettingList")->itemText(6), Utf8("startMoney"));
}

TEST_F(QtBackend, MessageBoxesShowTheirKind) {
    struct Shown {
        QMessageBox::Icon icon;
        bool onTop;
        QString title, text;
    };
    std::vector<Shown> shown;
    const auto answer = [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->parentWidget(), nullptr) << "a message box has no owner";
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            shown.push_back({box->icon(), box->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                             box->windowTitle(), box->text()});
            box->accept();
        });
    };
    answer();
    tk::ShowMessage(tk::MessageKind::Information, "HELP", "\xB1\xA3\xB4\xE6");
    answer();
    tk::ShowMessage(tk::MessageKind::SystemModalInformation, "Info:", "a\r\n\r\nb");
    answer();
    tk::ShowMessage(tk::MessageKind::Warning, "HELP:", "w");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].icon, QMessageBox::Information);
    EXPECT_FALSE(shown[0].onTop);
    EXPECT_EQ(shown[0].title, Utf8("HELP"));
    EXPECT_EQ(shown[0].text, Utf8("保存"));
    EXPECT_EQ(shown[1].icon, QMessageBox::Information);
    EXPECT_TRUE(shown[1].onTop);
    EXPECT_EQ(shown[1].text, Utf8("a\n\nb"));
    EXPECT_EQ(shown[2].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[2].title, Utf8("HELP:"));
}

TEST_F(QtBackend, PickTypeAndSaveWithMouseAndKeyboard) {
    Start();
    Pick("SettingList", 6);
    auto* value = Find<QLineEdit>("ValueEdit");
    EXPECT_EQ(value->text(), Utf8("5000"));
    auto* save = Find<QPushButton>("SaveButton");
    EXPECT_FALSE(save->isEnabled());

    QTest::mouseClick(value, Qt::LeftButton);
    EXPECT_TRUE(value->hasFocus());
    EXPECT_TRUE(save->isEnabled());
    value->selectAll();
    QTest::keyClicks(value, "a=b");

    AnswerNextMessageBox();
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(folder.Read("data/ini.txt"), "startDate;1976\r\nstartMoney;a;b\r\n");
    EXPECT_EQ(value->text(), Utf8("a=b"));
    ASSERT_EQ(answered_.size(), 1);
    EXPECT_EQ(answered_[0], Utf8("HELP|已保存。"));
}

}  // namespace
