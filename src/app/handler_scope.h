#pragma once
// The guard every user-interface handler of the window runs under: while
// another handler is busy (it may be waiting for a worker thread and keep
// dispatching events), the handler returns at once; otherwise it marks itself
// busy and clears the mark on every way out.
//
//     HandlerScope scope(HandlerBusy);
//     if (!scope.entered())
//         return;
//
// Code that changes controls itself uses it the same way without checking
// entered(): the flag is set for the scope and then has its earlier value
// again, so the changes raise no handler.

class HandlerScope {
public:
    explicit HandlerScope(bool& busy)
        : busy_(busy)
        , entered_(!busy)
    {
        if (entered_)
            busy_ = true;
    }
    ~HandlerScope()
    {
        if (entered_)
            busy_ = false;
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    bool entered() const { return entered_; }

private:
    bool& busy_;
    const bool entered_;
};
