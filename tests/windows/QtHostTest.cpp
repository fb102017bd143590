#include "windows/QtHost.h"
#include "core/MediaFilter.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zendrix;

TEST(QtHost, DialogFiltersKeepTheirTextsAndGainThePatternsQtReads)
{
    EXPECT_EQ(qtNameFilters("Zendrix Playlist Files(*.zdx)|*.zdx"),
              QStringList({"Zendrix Playlist Files(*.zdx) (*.zdx)"}));
    const QStringList media = qtNameFilters(kMediaFilter);
    ASSERT_EQ(media.size(), 9);
    EXPECT_TRUE(media[0].startsWith("All Media Files (*.ogg *.ogm *.mid"));
    EXPECT_EQ(media[1], "OGG Media Files (*.ogg,*.ogm) (*.ogg *.ogm)");
    EXPECT_EQ(media[8], "All Files (*.*) (*)") << "every file, with or without a dot";
}

TEST(QtHost, EveryFileDialogOpensInTheFolderOfTheFileLastChosenInAnyOfThem)
{
    QStandardPaths::setTestModeEnabled(true); // the dialogs' own state stays out of the user's settings
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("music") && QDir(dir.path()).mkpath("lists"));
    QtFileDialogs dialogs;
    QStringList openedIn;
    // Answers the next dialog: notes the folder it shows, then types `path` into its name box and
    // accepts, as a user who pastes a path does; an empty path cancels.
    auto answer = [&](const QString& path) {
        QTimer::singleShot(0, [&openedIn, path] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(window);
                if (!dialog || !dialog->isVisible())
                    continue;
                openedIn.append(dialog->directory().absolutePath());
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (path.isEmpty() || !name) {
                    dialog->reject();
                    return;
                }
                name->setText(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
    };
    answer(dir.filePath("music/song.mp3"));
    EXPECT_EQ(dialogs.open("Open Media File", kMediaFilter), dir.filePath("music/song.mp3"));
    answer(dir.filePath("lists/evening.zdx"));
    EXPECT_EQ(dialogs.save("Save Playlist", "Zendrix Playlist Files(*.zdx)|*.zdx"),
              dir.filePath("lists/evening.zdx"));
    answer({}); // cancelled: the next dialog still opens where the last file was chosen
    EXPECT_EQ(dialogs.open("Open Playlist", "Zendrix Playlist Files (*.zdx)|*.zdx"), "");
    answer({});
    EXPECT_EQ(dialogs.open("Open Media File", kMediaFilter), "");
    ASSERT_EQ(openedIn.size(), 4);
    EXPECT_EQ(openedIn.mid(1),
              QStringList({dir.filePath("music"), dir.filePath("lists"), dir.filePath("lists")}));
    QStandardPaths::setTestModeEnabled(false);
}

TEST(QtHost, FailuresPassedOverGatherInOneBoxThatHoldsNothingBack)
{
    QtMessageBoxes messages;
    const auto boxes = [] {
        QList<QMessageBox*> shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                shown.append(box);
        }
        return shown;
    };
    messages.reportPassedOver("Cannot open /a.mp3");
    messages.reportPassedOver("Cannot open /b.mp3");
    ASSERT_EQ(boxes().size(), 1) << "one box, not one a failure";
    QMessageBox* box = boxes().first();
    EXPECT_EQ(box->text(), "Error!\nCannot open /a.mp3\nCannot open /b.mp3");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), "Zendrix");
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    for (int i = 0; i < 30; ++i)
        messages.reportPassedOver(QString("Cannot open /%1.mp3").arg(i));
    EXPECT_EQ(box->text().count('\n'), QtMessageBoxes::kMaxPassedOverLines + 1);
    EXPECT_TRUE(box->text().endsWith("\n... and 12 more"));

    // Once the user has closed it, the next failure opens a box of its own.
    box->close();
    QApplication::processEvents();
    messages.reportPassedOver("Cannot open /c.mp3");
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes().first()->text(), "Error!\nCannot open /c.mp3");
}

// A short message makes a narrow box, and the desktop draws the title in the box's frame: the box is
// kept wide enough for "Zendrix" and the frame's buttons.
TEST(QtHost, AMessageBoxIsWideEnoughForItsTitleHoweverShortItsText)
{
    QMessageBox plain(QMessageBox::Critical, "Zendrix", "Error!\nx", QMessageBox::Ok);
    plain.show();
    ASSERT_LT(plain.width(), titleBarWidth("Zendrix")) << "left to itself, the box is narrower";
    plain.hide();

    int width = 0;
    QTimer::singleShot(0, [&width] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                width = box->width();
                box->done(0);
            }
        }
    });
    QtMessageBoxes boxes;
    EXPECT_EQ(boxes.show("Error!\r\nx", MessageIcon::Critical, MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_GE(width, titleBarWidth("Zendrix"));
}
