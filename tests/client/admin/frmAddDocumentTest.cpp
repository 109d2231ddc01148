#include "tests/client/admin/DocumentTestSupport.h"

#include "platform/ui/Clock.h"
#include "platform/ui/FileChooser.h"

#include <QLabel>

namespace zorbel::test {
namespace {

// What a user does in the dialog before pressing OK.
struct Entry {
    QString link;            // chosen through Create Link; empty: none chosen
    int typeRow = -1;        // -1: no type picked
    int ownerRow = -1;       // -1: no owner picked
    QString typedOwner = {}; // typed over the owner combo after the pick
    QString revision = {};
    QString date = {};
};

// What the dialog shows once OK has run.
struct After {
    bool open = false;
    QString link;
    int typeRow = -1;
    int ownerRow = -1;
    QString revision;
};

class AddDocumentTest : public DocumentTest {
protected:
    After submit(const Entry& e) {
        After after;
        ui::ModalHook hook([&](QWidget& w) {
            if (!e.link.isEmpty()) {
                files.choose(e.link);
                click(&w, "btnCreate");
            }
            auto* typeCombo = child<QComboBox>(&w, "ComboType");
            auto* ownerCombo = child<QComboBox>(&w, "ComboOwner");
            typeCombo->setCurrentIndex(e.typeRow);
            ownerCombo->setCurrentIndex(e.ownerRow);
            if (!e.typedOwner.isEmpty())
                ownerCombo->setEditText(e.typedOwner);
            type(&w, "txtRevisionNo", e.revision);
            type(&w, "txtDate", e.date);
            click(&w, "btnOK");
            after.open = ui::isLoaded(QStringLiteral("frmAddDocument"));
            if (after.open) {
                after.link = child<QLineEdit>(&w, "OLE1")->text();
                after.typeRow = typeCombo->currentIndex();
                after.ownerRow = ownerCombo->currentIndex();
                after.revision = child<QLineEdit>(&w, "txtRevisionNo")->text();
            }
        });
        EXPECT_TRUE(ui::showModal(QStringLiteral("frmAddDocument")));
        return after;
    }
    qint32 lastDocument() { return lastID(QStringLiteral("ZORBEL_DOCUMENTS"), QStringLiteral("DocumentID")); }

    ui::FileChooserRecorder files;
};

TEST_F(AddDocumentTest, StoresFolderNameAndWholeLinkWithThePickedTypesIdOwnerAndDayFirstDate) {
    // A gap in the type ids: the third entry is "Report", id 3, once "Plan" (2) is gone.
    db().execute({QStringLiteral("DELETE FROM ZORBEL_DOCUMENT_TYPES WHERE DocumentTypeID = 2"), {}});
    const QString link = QStringLiteral("/srv/share/plans/2024/plan v2.odt");
    ui::ModalHook hook([&](QWidget& w) {
        files.choose(link);
        click(&w, "btnCreate");
        files.cancel(); // a second Create Link, cancelled, keeps the first link
        click(&w, "btnCreate");
        EXPECT_EQ(child<QLineEdit>(&w, "OLE1")->text(), link);
        child<QComboBox>(&w, "ComboType")->setCurrentIndex(1);
        child<QComboBox>(&w, "ComboOwner")->setCurrentIndex(1);
        type(&w, "txtRevisionNo", QStringLiteral("1.2"));
        EXPECT_EQ(child<QLabel>(&w, "cntRevisionNo")->text(), QStringLiteral("47"));
        type(&w, "txtDate", QStringLiteral("05/03/2024"));
        click(&w, "btnOK");
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddDocument")));
    });
    ui::showModal(QStringLiteral("frmAddDocument"));
    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    ASSERT_EQ(files.count(), 2);
    EXPECT_EQ(files.requests()[1].startFolder, QStringLiteral("/srv/share/plans/2024"));
    ASSERT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 1);
    const qint32 id = lastDocument();
    EXPECT_EQ(document(id, "Location").toString(), QStringLiteral("/srv/share/plans/2024"));
    EXPECT_EQ(document(id, "Name").toString(), QStringLiteral("plan v2.odt"));
    EXPECT_EQ(document(id, "OLELink").toString(), link);
    EXPECT_EQ(document(id, "DocType").toInt(), 3);
    EXPECT_EQ(document(id, "Owner").toInt(), bobTeam);
    EXPECT_EQ(document(id, "RevisionNo").toString(), QStringLiteral("1.2"));
    EXPECT_EQ(document(id, "ProjectID").toInt(), project);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_DOCUMENTS"), QStringLiteral("DocDate"), QStringLiteral("DocumentID"), id),
              at(2024, 3, 5));
}

TEST_F(AddDocumentTest, RefusedEntriesKeepTheDialogAndWhatWasTyped) {
    const QString good = QStringLiteral("/srv/docs/plan.odt");
    const struct {
        Entry entry;
        QString prompt; // the start of the one box shown
    } cases[] = {
        {{.link = {}, .typeRow = 0, .ownerRow = 0, .revision = QStringLiteral("A")},
         QStringLiteral("Source is INVALID - press F1")},
        {{.link = QStringLiteral("/srv/") + QString(260, u'x'), .typeRow = 1, .ownerRow = 0, .revision = QStringLiteral("B")},
         QStringLiteral("(C)AddDocument Method failed: ")},
        {{.link = QStringLiteral("/home/o'neil/a.txt"), .typeRow = 2, .ownerRow = 1, .revision = QStringLiteral("C")},
         QStringLiteral("(C)AddDocument Method failed: ")},
        {{.link = good, .typeRow = 3, .ownerRow = 1, .revision = QStringLiteral("D"), .date = QStringLiteral("31/02/2024")},
         QStringLiteral("OLE Error \"31/02/2024\" is not a date")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.link.left(40).toStdString());
        boxes.clear();
        const After after = submit(c.entry);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().prompt.startsWith(c.prompt)) << boxes.last().prompt.toStdString();
        EXPECT_TRUE(after.open);
        EXPECT_EQ(after.link, c.entry.link);
        EXPECT_EQ(after.typeRow, c.entry.typeRow);
        EXPECT_EQ(after.ownerRow, c.entry.ownerRow);
        EXPECT_EQ(after.revision, c.entry.revision);
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
}

TEST_F(AddDocumentTest, OwnerIsThePickedTeamRowAndTheOwnerRuleRefusesAnyOther) {
    const QString link = QStringLiteral("/srv/docs/plan.odt");
    const QString refusal = QStringLiteral("You do not have the rights to add this document for this owner");
    const struct {
        const char* what;
        qint16 ownerRule;
        Entry entry;
        qint32 leftover;     // g_ownerUserID left by an earlier window
        QString box;         // the one box shown; empty when the entry is stored
        qint32 storedOwner;
        qint16 storedType;
    } cases[] = {
        {"own row", 1, {.link = link, .typeRow = 0, .ownerRow = 0}, 0, {}, annTeam, 1},
        {"another's row", 1, {.link = link, .ownerRow = 1}, 0, refusal, 0, 0},
        {"none picked, own id left over", 1, {.link = link}, ann, refusal, 0, 0},
        {"own row typed over", 1, {.link = link, .ownerRow = 0, .typedOwner = QStringLiteral("Ann")}, 0, refusal, 0, 0},
        {"rule off, nothing picked", 0, {.link = link}, 0, {}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        app().g_cfgOwnerAdmin = c.ownerRule;
        app().g_ownerUserID = c.leftover;
        const int before = count(QStringLiteral("ZORBEL_DOCUMENTS"));
        const After after = submit(c.entry);
        EXPECT_FALSE(after.open); // a refusal closes the dialog too
        if (c.box.isEmpty()) {
            EXPECT_TRUE(boxes.empty());
            ASSERT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), before + 1);
            EXPECT_EQ(document(lastDocument(), "Owner").toInt(), c.storedOwner);
            EXPECT_EQ(document(lastDocument(), "DocType").toInt(), c.storedType);
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().prompt, c.box);
            EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
            EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), before);
        }
    }
}

TEST_F(AddDocumentTest, WithoutATeamTheUserIsToldAndTheOwnerIsNone) {
    app().g_currentProjectID = addProject(QStringLiteral("Alone"), ann, at(2024, 1, 1), at(2024, 2, 1));
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    const After after = submit({.link = QStringLiteral("/srv/a.txt"), .revision = {}});
    EXPECT_FALSE(after.open);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You have not created a Project Team"));
    EXPECT_EQ(boxes.last().flags, ui::vbInformation);
    const qint32 id = lastDocument();
    EXPECT_EQ(document(id, "Owner").toInt(), 0);
    EXPECT_EQ(document(id, "Location").toString(), QStringLiteral("/srv"));
    // An empty date box stores the moment of saving.
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_DOCUMENTS"), QStringLiteral("DocDate"), QStringLiteral("DocumentID"), id),
              at(2024, 5, 6, 9, 30));
}

} // namespace
} // namespace zorbel::test
