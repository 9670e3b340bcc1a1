// The Qt front end under the offscreen platform: the main window's layout,
// captions and the settings flow driven with QTest.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
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

// Every control of a layout table: its kind, place, parent and states.
void ExpectControlsAsLaidOut(QWidget* window, const tk::WindowLayout& layout) {
    for (const tk::ControlLayout& control : layout.controls) {
        SCOPED_TRACE(control.name);
        QWidget* widget = window->findChild<QWidget*>(QString::fromLatin1(control.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(),
                  QRect(control.left, control.top, control.width, control.height));
        const char* parent =
            control.parent == tk::kWindowRole
                ? layout.name
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

    // Presses a table button of the main window and runs actions on the table
    // window while it is open in dialog mode; closes it afterwards.
    void InTable(const char* button, const std::function<void(QWidget* table)>& actions) {
        QTimer::singleShot(0, [&] {
            QWidget* table = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->objectName() == "TableEditorWindow" && top->isVisible()) {
                    table = top;
                }
            }
            if (table == nullptr) {
                ADD_FAILURE() << "no table window";
                return;
            }
            actions(table);
            table->close();
        });
        QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
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

    ExpectControlsAsLaidOut(window_, SettingsWindowLayout(nullptr));
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

TEST_F(QtBackend, TableWindowFrameGridAndButtons) {
    folder.Write("data/genres1.txt", "name;foo;\r\nA;1;\r\n");
    Start();
    InTable("RatingButton", [&](QWidget* table) {
        EXPECT_EQ(QApplication::activeModalWidget(), table) << "opened in dialog mode";
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(table->frameGeometry(),
                  QRect((screen.width() - 756) / 2, (screen.height() - 486) / 2, 756, 486));
        const Qt::WindowFlags flags = table->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);

        auto* grid = table->findChild<QTableView*>("TableGrid");
        ASSERT_NE(grid, nullptr);
        const auto places = [table] {
            QList<QRect> found;
            for (const char* name : {"TableGrid", "OpenButton", "TableSaveButton", "HintButton"}) {
                found << table->findChild<QWidget*>(name)->geometry();
            }
            return found;
        };
        const QList<QRect> restored = {QRect(8, 8, 741, 386), QRect(28, 406, 136, 32),
                                       QRect(228, 406, 80, 32), QRect(328, 406, 80, 32)};
        EXPECT_EQ(places(), restored);
        EXPECT_FALSE(table->findChild<QWidget*>("OpenButton")->isVisible());
        EXPECT_FALSE(table->findChild<QWidget*>("CellEditor")->isVisible());
        EXPECT_EQ(table->findChild<QWidget*>("CellEditor")->height(), 20);
        EXPECT_TRUE(table->findChild<QWidget*>("TableSaveButton")->isEnabled());

        // A report view: no sorting, no moving or clicking titles, whole rows selected.
        EXPECT_FALSE(grid->isSortingEnabled());
        EXPECT_FALSE(grid->horizontalHeader()->sectionsClickable());
        EXPECT_FALSE(grid->horizontalHeader()->sectionsMovable());
        EXPECT_TRUE(grid->showGrid());
        EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_EQ(grid->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(grid->font().pixelSize(), 14);
        EXPECT_EQ(grid->font().families().value(0), Utf8("宋体"));
        EXPECT_EQ(table->findChild<QWidget*>("CellEditor")->font().pixelSize(), 16);
        EXPECT_EQ(grid->model()->rowCount(), 1);
        EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), Utf8("名称"));
        EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
                  Utf8("name"));
        EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), 70);

        table->showMaximized();
        QTest::qWait(50);
        const QSize maximised = table->frameGeometry().size();
        ASSERT_GT(maximised.width(), 756);
        EXPECT_EQ(places(),
                  (QList<QRect>{QRect(8, 8, maximised.width() - 15, maximised.height() - 100),
                                QRect(28, maximised.height() - 80, 136, 32),
                                QRect(228, maximised.height() - 80, 80, 32),
                                QRect(328, maximised.height() - 80, 80, 32)}));
        EXPECT_EQ(grid->horizontalHeader()->sectionSize(1), 70);
        table->showNormal();
        QTest::qWait(50);
        EXPECT_EQ(places(), restored);
        // Dragging an edge is no way to resize it.
        table->resize(600, 300);
        EXPECT_EQ(table->frameGeometry().size(), QSize(756, 486));
    });
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(QtBackend, CellEditorOverADoubleClickedCell) {
    // The second row's middle cell holds bytes that are no GB18030 text.
    folder.Write("data/genres1.txt",
                 "name;gameplay;start;\r\nAction;9;1976;\r\nRacing;\x80\xFF;1980;\r\n");
    Start();
    InTable("RatingButton", [&](QWidget* table) {
        auto* grid = table->findChild<QTableView*>("TableGrid");
        auto* editor = table->findChild<QLineEdit*>("CellEditor");
        grid->horizontalHeader()->resizeSection(0, 90);  // the user widens a column
        QTest::qWait(10);

        for (const auto& [row, column] : {std::pair{0, 0}, std::pair{1, 2}, std::pair{0, 1}}) {
            SCOPED_TRACE(column);
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            // The cell's corner in the grid's client area, which holds the header too.
            const QPoint corner =
                grid->viewport()->mapTo(grid, cell.topLeft()) - grid->contentsRect().topLeft();
            const QRect place = grid->geometry();
            EXPECT_EQ(editor->geometry(),
                      QRect(place.left() + corner.x(), place.top() + corner.y() + 1,
                            cell.width() + 1, 20));
            EXPECT_TRUE(editor->isVisible());
            EXPECT_TRUE(editor->hasFocus());
            EXPECT_EQ(editor->selectedText(), editor->text());
            EXPECT_FALSE(grid->updatesEnabled()) << "the grid does not draw over the editor";
        }
        // Typing replaces the selected text; ";" and line breaks are refused.
        QTest::keyClicks(editor, "8;");
        EXPECT_EQ(editor->text(), Utf8("8"));
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(grid->updatesEnabled());
        EXPECT_EQ(grid->model()->index(0, 1).data().toString(), Utf8("8"));

        // The selected row shows only while the grid has the focus.
        const auto rowColour = [grid] {
            const QRect cell = grid->visualRect(grid->model()->index(0, 2));
            return grid->viewport()->grab(cell).toImage().pixelColor(cell.width() - 4,
                                                                     cell.height() / 2);
        };
        grid->selectRow(0);
        ASSERT_FALSE(grid->hasFocus());
        EXPECT_EQ(rowColour(), QColor(Qt::white));
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table));
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
        EXPECT_EQ(rowColour(),
                  QApplication::palette().color(QPalette::Active, QPalette::Highlight));

        // Leaving the editor unchanged keeps bytes that do not display as they are.
        const QRect odd = grid->visualRect(grid->model()->index(1, 1));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, odd.center());
        EXPECT_TRUE(editor->isVisible());
        AnswerNextMessageBox();
        QTest::mouseClick(table->findChild<QPushButton*>("HintButton"), Qt::LeftButton);
        AnswerNextMessageBox();
        QTest::mouseClick(table->findChild<QPushButton*>("TableSaveButton"), Qt::LeftButton);
        EXPECT_EQ(folder.Read("data/genres1.txt"),
                  "name;gameplay;start;\r\nAction;8;1976;\r\nRacing;\x80\xFF;1980;\r\n");

        // Below the last row there is nothing to edit.
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                           QPoint(5, grid->viewport()->height() - 5));
        EXPECT_FALSE(editor->isVisible());
    });
    // The hint and the confirmation, each above the window that stays on top.
    ASSERT_EQ(answered_.size(), 2);
    EXPECT_TRUE(answered_[0].startsWith(Utf8("Info:|双击单元格")));
    EXPECT_EQ(answered_[1], Utf8("Info:|已保存。"));
}

TEST_F(QtBackend, OpenDialogChoosesATableAndItsFolder) {
    folder.Write("data/3/trainings.txt", "name;costs;\r\nCourse;100;\r\n");
    Start();
    InTable("CustomButton", [&](QWidget* table) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(dialog->nameFilters(),
                      QStringList({Utf8("表格文件 (*.txt)"), Utf8("所有文件 (*.*)")}));
            EXPECT_EQ(QDir(dialog->directory()).canonicalPath(),
                      QDir(QString::fromStdString(folder.Root().string())).canonicalPath());
            dialog->selectFile(QString::fromStdString(folder.At("data/3/trainings.txt").string()));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QTest::mouseClick(table->findChild<QPushButton*>("OpenButton"), Qt::LeftButton);
        QApplication::processEvents();  // the rows reach the view once the event is done
        auto* grid = table->findChild<QTableView*>("TableGrid");
        EXPECT_EQ(grid->model()->index(0, 0).data().toString(), Utf8("Course"));
        EXPECT_EQ(QDir::current().canonicalPath(),
                  QDir(QString::fromStdString(folder.At("data/3").string())).canonicalPath());
    });
}

}  // namespace
