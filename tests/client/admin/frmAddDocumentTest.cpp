#include "tests/client/admin/DocumentTestSupport.h"

#include "platform/ui/Clock.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace zorbel::test {
namespace {

// What a user does in the dialog before OK, and what it shows afterwards.
struct Entry {
    QString link;      // chosen through Create Link, then a second Create Link is cancelled
    int typeRow = -1;  // -1: none picked
    int ownerRow = -1;
    QString typedOwner = {}; // typed over the owner picked
    QString revision = {};
    QString date = {};
    bool operator==(const Entry&) const = default;
};

class AddDocumentTest : public DocumentTest {
protected:
    // Fills the dialog and presses OK; the entries still shown, or nothing when the dialog closed.
    std::optional<Entry> submit(const Entry& e) {
        std::optional<Entry> after;
        ui::ModalHook hook([&](QWidget& w) {
            files.choose(e.link);
            files.cancel();
            click(&w, "btnCreate");
            click(&w, "btnCreate");
            auto* typeCombo = child<QComboBox>(&w, "ComboType");
            auto* ownerCombo = child<QComboBox>(&w, "ComboOwner");
            typeCombo->setCurrentIndex(e.typeRow);
            ownerCombo->setCurrentIndex(e.ownerRow);
            if (!e.typedOwner.isEmpty())
                ownerCombo->setEditText(e.typedOwner);
            type(&w, "txtRevisionNo", e.revision);
            type(&w, "txtDate", e.date);
            click(&w, "btnOK");
            if (ui::isLoaded(QStringLiteral("frmAddDocument")))
                after = Entry{child<QLineEdit>(&w, "OLE1")->text(), typeCombo->currentIndex(),
                              ownerCombo->currentIndex(), e.typedOwner, child<QLineEdit>(&w, "txtRevisionNo")->text(),
                              child<QLineEdit>(&w, "txtDate")->text()};
        });
        EXPECT_TRUE(ui::showModal(QStringLiteral("frmAddDocument")));
        return after;
    }
    ui::FileChooserRecorder files;
};

TEST_F(AddDocumentTest, StoresFolderNameAndWholeLinkWithThePickedTypesIdOwnerAndDayFirstDate) {
    // A gap in the type ids: the second entry is "Report", id 3, once "Plan" (2) is gone.
    db().execute({QStringLiteral("DELETE FROM ZORBEL_DOCUMENT_TYPES WHERE DocumentTypeID = 2"), {}});
    const QString link = QStringLiteral("/srv/share/plans/2024/plan v2.odt");
    EXPECT_FALSE(submit({link, 1, 1, {}, QStringLiteral("1.2"), QStringLiteral("05/03/2024")}));
    EXPECT_TRUE(boxes.empty());
    ASSERT_GE(files.count(), 2);
    EXPECT_EQ(files.requests()[1].startFolder, QStringLiteral("/srv/share/plans/2024"));
    ASSERT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 1);
    EXPECT_EQ(document("Location").toString(), QStringLiteral("/srv/share/plans/2024"));
    EXPECT_EQ(document("Name").toString(), QStringLiteral("plan v2.odt"));
    EXPECT_EQ(document("OLELink").toString(), link);
    EXPECT_EQ(document("DocType").toInt(), 3);
    EXPECT_EQ(document("Owner").toInt(), bobTeam);
    EXPECT_EQ(document("RevisionNo").toString(), QStringLiteral("1.2"));
    EXPECT_EQ(document("ProjectID").toInt(), project);
    EXPECT_EQ(shell::dateOf(document("DocDate")), at(2024, 3, 5));
}

TEST_F(AddDocumentTest, AFileUnderAnApostropheIsRegisteredAsChosenAndOpensByThatPath) {
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("o'brien")));
    const QString link = home.path() + QStringLiteral("/o'brien/plan.odt");
    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(submit({link, 0, 0}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(document("OLELink").toString(), link);
    EXPECT_EQ(document("Name").toString(), QStringLiteral("plan.odt"));
    EXPECT_EQ(document("Location").toString(), home.path() + QStringLiteral("/obrien")); // shown text, cleaned

    ui::DesktopOpenerRecorder opened;
    auto* w = open<QWidget>(QStringLiteral("frmDocument"));
    click(w, "btnOpen");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(opened.paths(), QStringList{link});
}

TEST_F(AddDocumentTest, TheChooserStartsInTheDocumentsFolderThenWhereTheLastLinkCameFrom) {
    // A link chosen in one dialog that is then cancelled, and a second dialog opened after it.
    files.choose(QStringLiteral("/srv/share/plans/2024/plan.odt"));
    files.cancel();
    for (int dialog = 0; dialog < 2; ++dialog) {
        ui::ModalHook hook([&](QWidget& w) {
            click(&w, "btnCreate");
            click(&w, "btnCancel");
        });
        EXPECT_TRUE(ui::showModal(QStringLiteral("frmAddDocument")));
    }
    ASSERT_EQ(files.count(), 2);
    EXPECT_EQ(files.requests()[0].startFolder, ui::documentsFolder());
    EXPECT_EQ(files.requests()[1].startFolder, QStringLiteral("/srv/share/plans/2024"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
}

TEST_F(AddDocumentTest, RefusedEntriesKeepTheDialogAndWhatWasTyped) {
    const QString good = QStringLiteral("/srv/docs/plan.odt");
    const struct {
        Entry entry;
        QString prompt; // the start of the one box shown
    } cases[] = {
        {{{}, 0, 0, {}, QStringLiteral("A")}, QStringLiteral("Source is INVALID - press F1")},
        {{QStringLiteral("/srv/") + QString(260, u'x'), 1, 0, {}, QStringLiteral("B")},
         QStringLiteral("(C)AddDocument Method failed: ")},
        {{good, 3, 1, {}, QStringLiteral("D"), QStringLiteral("31/02/2024")},
         QStringLiteral("OLE Error \"31/02/2024\" is not a date")},
    };
    for (const auto& c : cases) {
        boxes.clear();
        EXPECT_EQ(submit(c.entry), c.entry) << c.prompt.toStdString();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().prompt.startsWith(c.prompt)) << boxes.last().prompt.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
}

TEST_F(AddDocumentTest, OwnerIsThePickedTeamRowAndTheOwnerRuleRefusesAnyOther) {
    const QString link = QStringLiteral("/srv/docs/plan.odt");
    const QString refusal = QStringLiteral("You do not have the rights to add this document for this owner");
    const struct {
        qint16 ownerRule;
        Entry entry;
        qint32 leftover; // g_ownerUserID left by an earlier window
        QString box;     // the one box shown; empty when the entry is stored
        qint32 storedOwner;
        qint16 storedType;
    } cases[] = {
        {1, {link, 0, 0}, 0, {}, annTeam, 1},
        {1, {link, -1, 1}, 0, refusal, 0, 0},
        {1, {link}, ann, refusal, 0, 0},
        {1, {link, -1, 0, QStringLiteral("Ann")}, 0, refusal, 0, 0},
        {0, {link}, 0, {}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        boxes.clear();
        app().g_cfgOwnerAdmin = c.ownerRule;
        app().g_ownerUserID = c.leftover;
        const int before = count(QStringLiteral("ZORBEL_DOCUMENTS"));
        EXPECT_FALSE(submit(c.entry)); // a refusal closes the dialog too
        EXPECT_EQ(boxes.prompts(), c.box.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.box});
        ASSERT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), before + (c.box.isEmpty() ? 1 : 0));
        if (c.box.isEmpty()) {
            EXPECT_EQ(document("Owner").toInt(), c.storedOwner);
            EXPECT_EQ(document("DocType").toInt(), c.storedType);
        }
    }

    // Without a team the user is told, and the owner is none; an empty date stores the moment of saving.
    app().g_currentProjectID = addProject(QStringLiteral("Alone"), ann, at(2024, 1, 1), at(2024, 2, 1));
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    boxes.clear();
    EXPECT_FALSE(submit({link}));
    EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("You have not created a Project Team")});
    EXPECT_EQ(document("Owner").toInt(), 0);
    EXPECT_EQ(shell::dateOf(document("DocDate")), at(2024, 5, 6, 9, 30));
}

} // namespace
} // namespace zorbel::test
