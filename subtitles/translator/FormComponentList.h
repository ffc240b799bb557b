#pragma once
// The components registered with a form that it does not own (shared actions): a nameless child of
// the form, so it is never taken for a component itself. Components deleted meanwhile drop out.
#include <QObject>
#include <QPointer>

#include <vector>

class FormComponentList : public QObject {
public:
    explicit FormComponentList(QObject* form) : QObject(form) {}

    // The form's list, made on first use.
    static FormComponentList* Of(QObject* form);
    // The form's list, or nullptr when nothing was registered with it.
    static FormComponentList* Find(const QObject* form);

    // Adds the component unless it is listed already.
    void Add(QObject* component);
    // The listed components still alive, in the order they were added.
    std::vector<QObject*> Components() const;

private:
    std::vector<QPointer<QObject>> Listed;
};
