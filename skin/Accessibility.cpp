#include "skin/Accessibility.h"

#include <QAccessibleWidget>

#include "skin/DrLabel.h"
#include "skin/EzRgnBtn.h"

namespace {

// A picture button is a push button to screen readers. Buttons without a
// hint carry the word of their face as the form's accessible name.
class RegionButtonAccessible : public QAccessibleWidget
{
public:
    explicit RegionButtonAccessible(TEzRgnBtn *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return button()->accessibleName().isEmpty() ? button()->toolTip() : button()->accessibleName();
        case QAccessible::Description:
            // The hint is already the name; say it once.
            return button()->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = s.disabled || !button()->buttonEnabled();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        // A hidden button cannot be pressed with the mouse either.
        if (actionName == pressAction() && button()->isVisible())
            pressRegionButton(button());
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    TEzRgnBtn *button() const { return static_cast<TEzRgnBtn *>(widget()); }
};

class ReliefLabelAccessible : public QAccessibleWidget
{
public:
    explicit ReliefLabelAccessible(TDRLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (!label()->accessibleName().isEmpty())
            return label()->accessibleName();
        return label()->showAccelChar() ? withoutAccelMarks(label()->caption()) : label()->caption();
    }

    // A label offers nothing to do, not even taking the focus.
    QStringList actionNames() const override { return {}; }

private:
    TDRLabel *label() const { return static_cast<TDRLabel *>(widget()); }

    // "&&" stands for one ampersand; a single one only marks the next letter.
    static QString withoutAccelMarks(const QString &caption)
    {
        QString text;
        text.reserve(caption.size());
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
                ++i;
            text += caption[i];
        }
        return text;
    }
};

QAccessibleInterface *skinAccessibleFactory(const QString &className, QObject *object)
{
    // Plain widgets that are windows (the skinned windows, the help window)
    // are windows to screen readers, not anonymous panes.
    if (className == QLatin1String("QWidget")) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (widget && widget->isWindow())
            return new QAccessibleWidget(widget, QAccessible::Window);
        return nullptr;
    }
    if (className == QLatin1String("TEzRgnBtn")) {
        if (auto *button = qobject_cast<TEzRgnBtn *>(object))
            return new RegionButtonAccessible(button);
    } else if (className == QLatin1String("TDRLabel")) {
        if (auto *label = qobject_cast<TDRLabel *>(object))
            return new ReliefLabelAccessible(label);
    }
    return nullptr;
}

} // namespace

bool pressRegionButton(TEzRgnBtn *button)
{
    if (!button || !button->buttonEnabled())
        return false;
    emit button->clicked();
    return true;
}

void installSkinAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(skinAccessibleFactory);
}
