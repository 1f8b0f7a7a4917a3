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
//
// A scope may also hold the flag at a given value, clear for instance, and
// give it back its earlier value at the end, whatever that was:
//
//     HandlerScope closeSteps(HandlerBusy, false);

class HandlerScope {
public:
    explicit HandlerScope(bool& busy)
        : busy_(busy)
        , entered_(!busy)
        , earlier_(busy)
    {
        if (entered_)
            busy_ = true;
    }
    HandlerScope(bool& busy, bool value)
        : busy_(busy)
        , entered_(true)
        , earlier_(busy)
    {
        busy_ = value;
    }
    ~HandlerScope()
    {
        if (entered_)
            busy_ = earlier_;
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    bool entered() const { return entered_; }

    // Frees the handlers for good while the one that set the flag is still
    // waiting (Esc does this); that handler's own scope clears the flag
    // again when it ends.
    static void release(bool& busy) { busy = false; }

private:
    bool& busy_;
    const bool entered_;
    const bool earlier_;
};
