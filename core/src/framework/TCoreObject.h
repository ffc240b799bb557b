#pragma once
// The root of the core's objects: every object knows the object that created it.
class TCoreObject {
public:
    explicit TCoreObject(TCoreObject* owner);
    virtual ~TCoreObject();

    TCoreObject(const TCoreObject&) = delete;
    TCoreObject& operator=(const TCoreObject&) = delete;

    TCoreObject* Owner() const { return owner_; }

private:
    TCoreObject* owner_;
};
