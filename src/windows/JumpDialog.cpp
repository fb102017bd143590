#include "JumpDialog.h"

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace zendrix {

class JumpDialog::Model : public QAbstractListModel
{
public:
    Model(const QList<int>& rows, std::function<QString(int)> shown) : m_rows(rows), m_shown(std::move(shown))
    {}
    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= m_rows.size())
            return {};
        return m_shown(m_rows[index.row()]);
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const QList<int>& m_rows;
    std::function<QString(int)> m_shown;
};

JumpDialog::JumpDialog(QWidget* parent, const QStringList& entries, const TagLookup& tags,
                       std::function<QString(int)> shown)
    : QDialog(parent), m_filter(entries, tags), m_model(new Model(m_rows, std::move(shown)))
{
    setWindowTitle(QStringLiteral("Jump to Entry"));
    text = new QLineEdit(this);
    text->setAccessibleName(QStringLiteral("Words to find"));
    text->setPlaceholderText(QStringLiteral("Type words of a title, an artist or a path"));
    matches = new QListView(this);
    matches->setAccessibleName(QStringLiteral("Matching entries"));
    m_model->setParent(this);
    matches->setModel(m_model);
    matches->setUniformItemSizes(true);
    matches->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(matches);
    resize(420, 320);

    connect(text, &QLineEdit::textChanged, this, &JumpDialog::filter);
    connect(matches, &QListView::doubleClicked, this, &JumpDialog::choose);
    text->installEventFilter(this);
    matches->installEventFilter(this);
    filter(QString());
}

void JumpDialog::filter(const QString& typed)
{
    m_rows = m_filter.match(typed);
    m_model->reset();
    if (!m_rows.isEmpty())
        matches->setCurrentIndex(m_model->index(0));
}

bool JumpDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            choose();
            return true;
        }
        // Up and Down in the field move through the matches, so the hands stay on the keys.
        if (watched == text && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                                key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(matches, &copy);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void JumpDialog::choose()
{
    if (m_rows.isEmpty())
        return;
    const QModelIndex current = matches->currentIndex();
    m_chosen = m_rows[current.isValid() ? current.row() : 0];
    accept();
}

} // namespace zendrix
