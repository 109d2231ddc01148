#pragma once
// The new-project wizard driven as a user walks it: from the tree's first
// page to any later one, clicking the real buttons.

#include "client/planning/WizardPage.h"
#include "tests/client/planning/EditorTestSupport.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace zorbel::test {

class WizardTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        app().g_navTool = 6;
    }

    static QWidget* page(const char* name) { return ui::window(QString::fromLatin1(name)); }
    static planning::WizardRecordPage* recordPage(const char* name) {
        return dynamic_cast<planning::WizardRecordPage*>(page(name));
    }
    static void write(QWidget* w, const char* box, const QString& text) {
        child<QPlainTextEdit>(w, box)->setPlainText(text);
    }

    // Pages 1 and 2: the project page, filled in; ownerRow -1 chooses nobody.
    QWidget* projectPage(const QString& name, const QString& start, const QString& end, int ownerRow) {
        EXPECT_TRUE(ui::showWindow(QStringLiteral("frmAddProjectHelp")));
        click(page("frmAddProjectHelp"), "btnNext");
        QWidget* w = page("frmAddProject");
        type(w, "txtName", name);
        type(w, "txtStartDate", start);
        type(w, "txtEndDate", end);
        if (ownerRow >= 0)
            child<QComboBox>(w, "ComboContacts")->setCurrentIndex(ownerRow);
        return w;
    }
    // On to page 3 with a new project; its id.
    qint32 createProject(const QString& name, const QString& start = QStringLiteral("05/03/2024"),
                         const QString& end = QStringLiteral("30/06/2024")) {
        click(projectPage(name, start, end, 0), "btnNext");
        return app().g_newProjectID;
    }
    static void addOn(QWidget* w, std::initializer_list<std::pair<const char*, QString>> fields) {
        click(w, "btnAdd");
        for (const auto& [box, text] : fields) {
            if (child<QWidget>(w, box)->inherits("QPlainTextEdit"))
                write(w, box, text);
            else
                type(w, box, text);
        }
        click(w, "btnOK");
    }
    int countOf(const char* table, qint32 project) {
        return count(QString::fromLatin1(table), QStringLiteral("ProjectID = %1").arg(project));
    }

    qint32 ann = 0;
    qint32 bob = 0;
};

} // namespace zorbel::test
