#pragma once
// The common base of the player objects and of the profile: only a virtual destructor, so that they
// can be deleted through it.
class TCommon {
public:
    TCommon() = default;
    virtual ~TCommon();
    TCommon(const TCommon&) = delete;
    TCommon& operator=(const TCommon&) = delete;
};
