// Help and About in the real window: the help file opens through the
// recorded shell layer only (no viewer ever starts in a test), a missing
// file or a failed viewer names the file's path, the web items say there is
// no web page, and the About box closes with Enter and Esc.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/help/about_dialog.h"
#include "app/help/help.h"
#include "modal_dialog.h"
#include "window_fixture.h"

namespace {
bool mentions(const platform::MsgRecord& r, const std::string& what) { return r.text.find(what) != std::string::npos; }
}  // namespace

class Help : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        helpPath = dir.filePath(QStringLiteral("help.html")).toStdString();
        QFile f(QString::fromStdString(helpPath));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
        f.close();
        w->setHelpFile(QString::fromStdString(helpPath));
    }
    QTemporaryDir dir;
    std::string helpPath;
};

TEST_F(Help, ContentsAndButton26OpenTheHelpFile) {
    w->action("mnuHelpCon")->trigger();
    w->Toolbar1_ButtonClick(26);
    EXPECT_EQ(shell.opened(), (std::vector<std::string>{helpPath, helpPath}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Help, MissingFileOrNoViewerNamesThePath) {
    shell.setResult(false);
    w->action("mnuHelpCon")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(mentions(boxes.shown()[0], helpPath));
    EXPECT_EQ(boxes.shown()[0].title, "Trelvane");
    EXPECT_EQ(shell.opened().size(), 1u);

    boxes.clear();
    QFile::remove(QString::fromStdString(helpPath));
    w->action("mnuHelpCon")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "The help file " + helpPath + " was not found.");
    EXPECT_EQ(shell.opened().size(), 1u);  // no viewer asked for a file that is not there
}

TEST_F(Help, WebItemsSayThereIsNoWebPage) {
    for (const char* item : {"mnuHelpHome", "mnuHelpCus"}) {
        boxes.clear();
        w->action(item)->trigger();
        ASSERT_EQ(boxes.shown().size(), 1u) << item;
        EXPECT_TRUE(mentions(boxes.shown()[0], "Trelvane has no web page")) << item;
        EXPECT_TRUE(mentions(boxes.shown()[0], helpPath)) << item;
    }
    EXPECT_TRUE(shell.opened().empty());
}

TEST_F(Help, AboutBoxClosesWithEnterAndEsc) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        bool shown = false;
        boxes.clear();
        whenModal<frmF2>([&](frmF2* d) {
            shown = true;
            EXPECT_EQ(d->windowTitle(), "About Trelvane");
            EXPECT_EQ(d->lblTitle->text(), "Trelvane");
            EXPECT_TRUE(d->lblTitle->font().bold());
            EXPECT_EQ(d->cmdOK->text(), "O K");
            EXPECT_TRUE(d->cmdOK->isDefault());
            EXPECT_TRUE(d->Label1->font().underline());
            QDir().mkpath(QStringLiteral(TRELVANE_BINARY_DIR "/pictures"));
            d->grab().save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/about_box.png"));
            QTest::mouseClick(d->Label1, Qt::LeftButton);
            QTest::keyClick(d, key);
            EXPECT_FALSE(d->isVisible());
        });
        w->action("mnuHelpAbout")->trigger();
        EXPECT_TRUE(shown);
        ASSERT_EQ(boxes.shown().size(), 1u);  // the link's answer
        EXPECT_TRUE(mentions(boxes.shown()[0], "Trelvane has no web page"));
    }
    EXPECT_TRUE(shell.opened().empty());
}

TEST(HelpFile, ShippedBesideTheProgram) {
    QFile f(QStringLiteral(TRELVANE_BINARY_DIR "/src/") + QString::fromUtf8(kHelpFileName));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
    const QByteArray html = f.readAll();
    EXPECT_TRUE(html.contains("<title>Trelvane help</title>"));
    EXPECT_TRUE(html.contains("no web page"));
}

TEST(HelpFile, TheWindowLooksBesideItsProgram) {
    platform::MsgRecorder boxes;
    frmF1 w(frmF1::Options{false});
    EXPECT_EQ(w.helpFile(), QCoreApplication::applicationDirPath() + "/help.html");
}
