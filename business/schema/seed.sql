-- The rows that exist before the program first runs: the settings and the
-- look-up lists. Both engines read this file.

INSERT INTO ZORBEL_CONFIGURATION (ConfigurationID, OwnerAdmin, DateFormat, ExcelDateFormat, ProjectAdmin) VALUES (1, 0, 'dd/mm/yyyy', 'dd/mm/yyyy', 0);

INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (1, 'Cancelled', 'Work stopped and will not be finished', 0);
INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (2, 'Complete', 'Finished and accepted', 65280);
INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (3, 'Not Started', 'Planned, no work done yet', 12632256);
INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (4, 'In Progress', 'Work under way to plan', 14660646);
INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (5, 'At Risk', 'Under way, dates or quality in doubt', 51455);
INSERT INTO ZORBEL_STATUS (StatusID, Status, Description, Colour) VALUES (6, 'Late', 'Past its end date or blocked', 255);

INSERT INTO ZORBEL_PROJECT_STATE (ProjectStateID, State) VALUES (1, 'Measure');
INSERT INTO ZORBEL_PROJECT_STATE (ProjectStateID, State) VALUES (2, 'Analyse');
INSERT INTO ZORBEL_PROJECT_STATE (ProjectStateID, State) VALUES (3, 'Implement');
INSERT INTO ZORBEL_PROJECT_STATE (ProjectStateID, State) VALUES (4, 'Closed');

INSERT INTO ZORBEL_ADMIN_LEVEL (AdminLevelID, Description) VALUES (1, 'No Access');
INSERT INTO ZORBEL_ADMIN_LEVEL (AdminLevelID, Description) VALUES (2, 'Read Only');
INSERT INTO ZORBEL_ADMIN_LEVEL (AdminLevelID, Description) VALUES (3, 'Edit');
INSERT INTO ZORBEL_ADMIN_LEVEL (AdminLevelID, Description) VALUES (4, 'Full Control');

INSERT INTO ZORBEL_ISSUE_STATUS_TYPES (IssueStatusID, Status) VALUES (1, 'Closed');
INSERT INTO ZORBEL_ISSUE_STATUS_TYPES (IssueStatusID, Status) VALUES (2, 'Open');
INSERT INTO ZORBEL_ISSUE_STATUS_TYPES (IssueStatusID, Status) VALUES (3, 'In Progress');
INSERT INTO ZORBEL_ISSUE_STATUS_TYPES (IssueStatusID, Status) VALUES (4, 'On Hold');

INSERT INTO ZORBEL_ISSUE_SEVERITY (SeverityID, Severity) VALUES (1, 'Low');
INSERT INTO ZORBEL_ISSUE_SEVERITY (SeverityID, Severity) VALUES (2, 'Medium');
INSERT INTO ZORBEL_ISSUE_SEVERITY (SeverityID, Severity) VALUES (3, 'High');
INSERT INTO ZORBEL_ISSUE_SEVERITY (SeverityID, Severity) VALUES (4, 'Critical');

INSERT INTO ZORBEL_ISSUE_URGENCY (UrgencyID, Urgency) VALUES (1, 'Low');
INSERT INTO ZORBEL_ISSUE_URGENCY (UrgencyID, Urgency) VALUES (2, 'Medium');
INSERT INTO ZORBEL_ISSUE_URGENCY (UrgencyID, Urgency) VALUES (3, 'High');
INSERT INTO ZORBEL_ISSUE_URGENCY (UrgencyID, Urgency) VALUES (4, 'Immediate');

INSERT INTO ZORBEL_ISSUE_SCHEDULE (ScheduleID, Schedule) VALUES (1, 'None');
INSERT INTO ZORBEL_ISSUE_SCHEDULE (ScheduleID, Schedule) VALUES (2, 'Minor');
INSERT INTO ZORBEL_ISSUE_SCHEDULE (ScheduleID, Schedule) VALUES (3, 'Moderate');
INSERT INTO ZORBEL_ISSUE_SCHEDULE (ScheduleID, Schedule) VALUES (4, 'Major');

INSERT INTO ZORBEL_RISK_TYPES (RiskTypeID, RiskType) VALUES (1, 'Technical');
INSERT INTO ZORBEL_RISK_TYPES (RiskTypeID, RiskType) VALUES (2, 'Schedule');
INSERT INTO ZORBEL_RISK_TYPES (RiskTypeID, RiskType) VALUES (3, 'Cost');
INSERT INTO ZORBEL_RISK_TYPES (RiskTypeID, RiskType) VALUES (4, 'Resource');
INSERT INTO ZORBEL_RISK_TYPES (RiskTypeID, RiskType) VALUES (5, 'External');

INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (1, 'Requirements');
INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (2, 'Plan');
INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (3, 'Report');
INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (4, 'Minutes');
INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (5, 'Correspondence');
INSERT INTO ZORBEL_DOCUMENT_TYPES (DocumentTypeID, Name) VALUES (6, 'Other');
