#pragma once
// A flag set for as long as a scope runs, whatever way the scope is left: a fault in a handler
// must not leave it set.

class FlagSet {
public:
    explicit FlagSet(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagSet() { flag_ = false; }
    FlagSet(const FlagSet&) = delete;
    FlagSet& operator=(const FlagSet&) = delete;

private:
    bool& flag_;
};
