#include "import/ui/vHeaderBinder.h"

#include "shell/vGlobalHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Bytes(const QString& s) {
    return s.toLatin1().toStdString();
}

std::vector<std::string> MemoLines(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    for (const QString& line : text.split('\n'))
        lines.push_back(Bytes(line));
    return lines;
}

QString MemoText(const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines)
        parts << Latin1(line);
    return parts.join('\n');
}

bool THeaderBinder::Writes() {
    // An edit that comes while a command runs would write into the pages that command works on,
    // which may be another window's scene put there for its run: it is dropped, and the controls
    // show the pages again once the command has ended.
    if (!ArrivesDuringOperation()) return true;
    if (!PendingShow) {
        PendingShow = new QTimer(this);
        PendingShow->setSingleShot(true);
        PendingShow->setInterval(100);
        connect(PendingShow, &QTimer::timeout, this, [this] {
            if (ArrivesDuringOperation())
                PendingShow->start();
            else
                Show();
        });
    }
    PendingShow->start();
    return false;
}

void THeaderBinder::BindText(QLineEdit* edit, std::string* value) {
    connect(edit, &QLineEdit::textEdited, this, [this, value](const QString& t) {
        if (Writes()) *value = Bytes(t);
    });
    Shows.push_back([edit, value] {
        const QString t = Latin1(*value);
        if (edit->text() == t) return;
        edit->setText(t);
        // A long value shows from its start, as it is read.
        edit->setCursorPosition(0);
    });
}

void THeaderBinder::BindFlag(QCheckBox* box, std::string* value) {
    connect(box, &QCheckBox::clicked, this, [this, value](bool checked) {
        if (Writes()) *value = checked ? "true" : "false";
    });
    Shows.push_back([box, value] {
        const QSignalBlocker block(box);
        box->setChecked(*value == "true");
    });
}

void THeaderBinder::BindBool(QCheckBox* box, bool* value) {
    connect(box, &QCheckBox::clicked, this, [this, value](bool checked) {
        if (Writes()) *value = checked;
    });
    Shows.push_back([box, value] {
        const QSignalBlocker block(box);
        box->setChecked(*value);
    });
}

void THeaderBinder::BindIndex(QComboBox* box, DIHField f) {
    connect(box, &QComboBox::activated, this, [this, f](int index) {
        if (Writes()) HeaderPages.SetItemIndex(f, index);
    });
    Shows.push_back([box, f] {
        const QSignalBlocker block(box);
        const int index = HeaderPages.ItemIndex(f);
        box->setCurrentIndex(index < box->count() ? index : -1);
    });
}

void THeaderBinder::BindIndex(QSpinBox* box, DIHField f) {
    connect(box, &QSpinBox::valueChanged, this, [this, f](int index) {
        if (!Showing && Writes()) HeaderPages.SetItemIndex(f, index);
    });
    Shows.push_back([box, f] { box->setValue(HeaderPages.ItemIndex(f)); });
}

void THeaderBinder::BindList(QPlainTextEdit* memo, std::vector<std::string>* lines) {
    connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, lines] {
        if (!Showing && Writes()) *lines = MemoLines(memo->toPlainText());
    });
    Shows.push_back([memo, lines] {
        const QString t = MemoText(*lines);
        if (memo->toPlainText() != t) memo->setPlainText(t);
    });
}

void THeaderBinder::Show() {
    Showing = true;
    for (const auto& show : Shows)
        show();
    Showing = false;
}
