#include "client/shell/Rights.h"

#include "client/shell/AppState.h"
#include "client/shell/Values.h"
#include "controls/ctrlButton.h"

namespace zorbel::shell {

ButtonRights rightsFor(qint16 cfgProjectAdmin, qint16 level) {
    if (cfgProjectAdmin != 1)
        return {0, 0, 0};
    ButtonRights r{2, 2, 2};
    if (level > 2)
        r.edit = 0;
    if (level > 3) {
        r.add = 0;
        r.del = 0;
    }
    return r;
}

void ApplyRights(controls::ctrlButton* add, controls::ctrlButton* edit, controls::ctrlButton* del, qint16 level) {
    const ButtonRights r = rightsFor(state().g_cfgProjectAdmin, level);
    if (add)
        add->setStatus(r.add);
    if (del)
        del->setStatus(r.del);
    if (edit)
        edit->setStatus(r.edit);
}

bool mayList(qint16 level) {
    return state().g_cfgProjectAdmin != 1 || level >= 2;
}

void GrantCreatorRights(qint32 projectID, const QString& projectName) {
    auto& s = state();
    if (s.g_cfgProjectAdmin != 1)
        return;
    s.g_zorbel->AddUserAdmin(s.g_currentMultiUserID, projectID, projectName, kFullControl, kFullControl,
                             kFullControl, kFullControl, kFullControl);
}

void LoadProjectRights(const data::RecordsetPtr& rights, qint32 projectID) {
    auto& s = state();
    // Without a row for this project the account has no rights on it: keeping
    // the levels of the project picked before would lend it that project's.
    qint16 project = 0, task = 0, action = 0, progress = 0, issue = 0;
    if (rights && rights->RecordCount() > 0) {
        for (rights->MoveFirst(); !rights->Eof(); rights->MoveNext()) {
            bool ok = false;
            if (rights->Fields(QStringLiteral("ProjectID")).toLongLong(&ok) != projectID || !ok)
                continue;
            project = int16Of(rights->Fields(QStringLiteral("ProjectAdminLevel")));
            task = int16Of(rights->Fields(QStringLiteral("TaskAdminLevel")));
            action = int16Of(rights->Fields(QStringLiteral("ActionAdminLevel")));
            progress = int16Of(rights->Fields(QStringLiteral("ProgressAdminLevel")));
            issue = int16Of(rights->Fields(QStringLiteral("IssueAdminLevel")));
        }
    }
    s.g_projectAdminLevel = project;
    s.g_taskAdminLevel = task;
    s.g_actionAdminLevel = action;
    s.g_progressAdminLevel = progress;
    s.g_issueAdminLevel = issue;
}

} // namespace zorbel::shell
