#include "desktop/paste_cleaning.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <memory>

#include "desktop/text_positions.h"

namespace xfer::desktop {

QString CleanPaste(const QString& pasted, int room) {
    QString clean;
    int characters = 0;
    for (qsizetype i = 0; i < pasted.size() && (room < 0 || characters < room); ++i) {
        const QChar c = pasted[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) {
            if (c == QLatin1Char('\r') && i + 1 < pasted.size() &&
                pasted[i + 1] == QLatin1Char('\n'))
                ++i;
            clean += QLatin1Char(' ');
        } else if (c.category() == QChar::Other_Control) {
            continue;
        } else if (c.isHighSurrogate() && i + 1 < pasted.size() && pasted[i + 1].isLowSurrogate()) {
            clean += c;
            clean += pasted[++i];
        } else {
            clean += c;
        }
        ++characters;
    }
    return clean;
}

namespace {

class PasteCleaner final : public QObject {
  public:
    PasteCleaner(QLineEdit* edit, std::function<int()> maxLength)
        : QObject(edit), edit_(edit), maxLength_(std::move(maxLength)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            return true;
        }
        // A middle click pastes the selection where the system has one (X11): the same way in.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            edit_->deselect();
            paste(QClipboard::Selection);
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            // The standard menu, its Paste going through the same cleaning.
            const std::unique_ptr<QMenu> menu(edit_->createStandardContextMenu());
            if (auto* action = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
                action->disconnect();
                QObject::connect(action, &QAction::triggered, this,
                                 [this] { paste(QClipboard::Clipboard); });
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    }

  private:
    void paste(QClipboard::Mode from) {
        if (edit_->isReadOnly())
            return;
        const int limit = maxLength_();
        int room = -1;
        if (limit > 0) {
            const QString text = edit_->text();
            const int length = CharactersBefore(text, static_cast<int>(text.size()));
            const int selected = CharactersBefore(text, edit_->selectionEnd()) -
                                 CharactersBefore(text, edit_->selectionStart());
            room = std::max(0, limit - (length - (edit_->hasSelectedText() ? selected : 0)));
        }
        const QString clean = CleanPaste(QGuiApplication::clipboard()->text(from), room);
        if (!clean.isEmpty())
            edit_->insert(clean);
    }

    QLineEdit* edit_;
    std::function<int()> maxLength_;
};

}  // namespace

void CleanPastes(QLineEdit* edit, std::function<int()> maxLength) {
    edit->installEventFilter(new PasteCleaner(edit, std::move(maxLength)));
}

}  // namespace xfer::desktop
