#pragma once
// The document window tests' project: current, with Ann (the user) and Bob in its team.

#include "tests/client/planning/EditorTestSupport.h"

namespace zorbel::test {

class DocumentTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        const qint32 bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        app().g_currentProjectID = project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_navTool = 27;
        // Listed by SurName: Archer, then Baker.
        zorbel().AddTeamMember(ann, project, QStringLiteral("Ann Archer"), QStringLiteral("Ann"), QStringLiteral("Archer"));
        annTeam = lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
        zorbel().AddTeamMember(bob, project, QStringLiteral("Bob Baker"), QStringLiteral("Bob"), QStringLiteral("Baker"));
        bobTeam = annTeam + 1;
    }
    qint32 addDocument(const QString& folder, const QString& name, qint16 type = 1, qint32 owner = 0) {
        zorbel().AddDocument(type, owner, name, folder, QStringLiteral("1.0"), at(2024, 4, 2), project,
                             folder + u'/' + name);
        return lastDocument();
    }
    qint32 lastDocument() { return lastID(QStringLiteral("ZORBEL_DOCUMENTS"), QStringLiteral("DocumentID")); }
    QVariant document(const char* column) {
        return stored(QStringLiteral("ZORBEL_DOCUMENTS"), QString::fromLatin1(column), QStringLiteral("DocumentID"),
                      lastDocument());
    }
    qint32 ann = 0, project = 0, annTeam = 0, bobTeam = 0;
};

} // namespace zorbel::test
