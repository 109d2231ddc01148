#pragma once
// Shared pieces of the document window tests: a current project whose team
// has two members, and documents read straight from the table.

#include "tests/client/planning/EditorTestSupport.h"

namespace zorbel::test {

class DocumentTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_navTool = 27;
        // Listed by SurName: Archer first, then Baker.
        annTeam = addMember(ann, QStringLiteral("Ann"), QStringLiteral("Archer"));
        bobTeam = addMember(bob, QStringLiteral("Bob"), QStringLiteral("Baker"));
    }
    qint32 addMember(qint32 user, const QString& first, const QString& sur) {
        zorbel().AddTeamMember(user, project, first + u' ' + sur, first, sur);
        return lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
    }
    qint32 addDocument(const QString& folder, const QString& name, qint16 type = 1, qint32 owner = 0) {
        zorbel().AddDocument(type, owner, name, folder, QStringLiteral("1.0"), at(2024, 4, 2), project,
                             folder + u'/' + name);
        return lastID(QStringLiteral("ZORBEL_DOCUMENTS"), QStringLiteral("DocumentID"));
    }
    QVariant document(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_DOCUMENTS"), QString::fromLatin1(column), QStringLiteral("DocumentID"),
                      id);
    }
    qint32 ann = 0;
    qint32 bob = 0;
    qint32 project = 0;
    qint32 annTeam = 0;
    qint32 bobTeam = 0;
};

} // namespace zorbel::test
