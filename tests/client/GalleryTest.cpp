// Every window at the desktop's default font and at a larger one, on a small
// office's database: no window caption, label, frame title, check box, option
// or picture button may show its text cut short, and no multi-line box may
// need a scroll bar for the fixed text it was given. Widgets hidden until
// another mode shows them are measured too.

#include "client/shell/Zorbel5LogIn.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"
#include "tests/client/SampleOffice.h"
#include "tests/support/TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace zorbel::test {
namespace {

constexpr int kLargerFontPoints = 12;
const QString kLogIn = QStringLiteral("Zorbel5LogIn");

struct GalleryView {
    const char* window;
    int navTool;
    bool modal;
    int points; // 0: the desktop's default font
};

std::string viewName(const ::testing::TestParamInfo<GalleryView>& info) {
    const GalleryView& v = info.param;
    return std::string(v.window) + "_" + (v.navTool < 0 ? std::string("LoggedIn") : std::to_string(v.navTool)) + "_"
           + (v.points ? std::to_string(v.points) + "pt" : std::string("DefaultFont"));
}

QString nameOf(const QWidget& w) {
    return w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
}

QString sizeText(const QSize& s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); }

// Whether a text needing `need` is cut in a space of `has`; the finding names the widget.
void cutWhen(QStringList& cut, const QWidget& w, const QString& text, const QSize& need, const QSize& has) {
    if (need.width() > has.width() || need.height() > has.height())
        cut << QStringLiteral("%1 \"%2\" needs %3, has %4").arg(nameOf(w), text, sizeText(need), sizeText(has));
}

void checkWidget(QStringList& cut, QWidget& w) {
    if (auto* label = qobject_cast<QLabel*>(&w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return;
        if (label->wordWrap())
            cutWhen(cut, w, label->text(), {label->width(), label->heightForWidth(label->width())}, label->size());
        else
            cutWhen(cut, w, label->text(), label->sizeHint(), label->size());
    } else if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
        // A check box's own hint leaves room round its tick box; its text needs one line.
        if (!button->text().isEmpty())
            cutWhen(cut, w, button->text(), {button->sizeHint().width(), button->fontMetrics().height()},
                    button->size());
    } else if (auto* frame = qobject_cast<QGroupBox*>(&w)) {
        if (!frame->title().isEmpty())
            cutWhen(cut, w, frame->title(), {frame->minimumSizeHint().width(), 0}, frame->size());
    } else if (auto* picture = qobject_cast<controls::ctrlButton*>(&w)) {
        const QFontMetrics metrics(picture->CaptionFont());
        cutWhen(cut, w, picture->Caption(), {metrics.horizontalAdvance(picture->Caption()), metrics.height()},
                picture->CaptionRect().size());
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(&w)) {
        if (!box->isReadOnly() || box->toPlainText().isEmpty())
            return;
        // A box shown only in another mode is shown here: its scroll bars are set when it lays out.
        if (box->isHidden()) {
            box->show();
            QApplication::processEvents();
        }
        if (box->verticalScrollBar()->maximum() > 0 || box->horizontalScrollBar()->maximum() > 0)
            cut << QStringLiteral("%1 \"%2\" needs a scroll bar").arg(nameOf(w), box->toPlainText());
    }
}

// The window's own widgets, inside frames too, but not the parts that make up
// a compound widget (a calendar's buttons, a combo box's list).
void checkChildren(QStringList& cut, QWidget& parent) {
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        checkWidget(cut, *child);
        const QMetaObject* kind = child->metaObject();
        if (qobject_cast<QGroupBox*>(child) || kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject)
            checkChildren(cut, *child);
    }
}

// A window's caption shares its title bar with the icon and the window buttons.
void checkCaption(QStringList& cut, QWidget& window) {
    QFont font = window.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int titleBarFurniture = 4 * metrics.height();
    cutWhen(cut, window, window.windowTitle(),
            {metrics.horizontalAdvance(window.windowTitle()) + titleBarFurniture, 0}, window.size());
}

QStringList cutTexts(QWidget& window) {
    QApplication::processEvents();
    QStringList cut;
    checkCaption(cut, window);
    checkChildren(cut, window);
    return cut;
}

class GalleryTest : public ClientTest, public ::testing::WithParamInterface<GalleryView> {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        m_defaultFont = QApplication::font();
        if (GetParam().points) {
            QFont larger = m_defaultFont;
            larger.setPointSize(GetParam().points);
            QApplication::setFont(larger);
        }
        app().g_navTool = GetParam().navTool;
        populateSampleOffice();
    }
    void TearDown() override {
        ClientTest::TearDown();
        QApplication::setFont(m_defaultFont);
        ui::registerWindow(kLogIn, [] { return std::make_unique<shell::Zorbel5LogIn>(); });
    }

    QFont m_defaultFont;
    ui::FileChooserRecorder files;   // nothing is chosen
    ui::ProgramEndRecorder programEnd; // nothing ends
};

TEST_P(GalleryTest, ShowsEveryTextWhole) {
    const GalleryView& view = GetParam();
    const QString name = QString::fromLatin1(view.window);
    QStringList cut;
    bool seen = false;
    if (view.modal) {
        ui::ModalHook hook([&](QWidget& window) {
            if (seen)
                return; // a dialog the dialog opens is shown on its own
            seen = true;
            cut = cutTexts(window);
        });
        ASSERT_TRUE(ui::showModal(name));
    } else {
        ui::ModalHook closeDialogs;
        if (name == kLogIn) // the start-up window connects to the tests' own data source
            ui::registerWindow(kLogIn, [] { return std::make_unique<shell::Zorbel5LogIn>(testDataSource()); });
        ASSERT_TRUE(ui::showWindow(name));
        if (QWidget* window = ui::window(name)) {
            seen = true;
            cut = cutTexts(*window);
        }
    }
    EXPECT_TRUE(seen);
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(QLatin1Char('\n')));
}

std::vector<GalleryView> allViews() {
    std::vector<WindowOpening> openings = everyWindowOpening();
    openings.push_back({"Zorbel5LogIn", {-1}, false});
    std::vector<GalleryView> views;
    for (const WindowOpening& o : openings)
        for (int nav : o.navTools)
            for (int points : {0, kLargerFontPoints})
                views.push_back({o.window, nav, o.modal, points});
    return views;
}

INSTANTIATE_TEST_SUITE_P(Windows, GalleryTest, ::testing::ValuesIn(allViews()), viewName);

} // namespace
} // namespace zorbel::test
