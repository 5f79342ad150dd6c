#pragma once
// RedrawGate: holds the picture's redraws back while a batch of changes is
// under way (a fit adding its graphs, its zoom to fit and the standard view
// after it), so the picture is compiled and shown once when the batch ends
// instead of once per change. It also remembers a picture left behind its
// graphs by someone who draws later. Plain C++: the main window asks it
// before each compile and show.
class RedrawGate {
public:
    // What the picture is owed.
    struct Owed {
        bool scene = false;  // compile the picture anew (DrawScene)
        bool view = false;   // compile the view only (DrawView)
        bool show = false;   // show it (Display)
        bool operator==(const Owed&) const = default;
    };

    void open() { ++depth_; }
    // Ends a batch. The outermost end hands over what is owed, reduced to the
    // least that covers it (a compile covers a view, and is shown), and
    // forgets it; an inner end, or an end without a batch, owes nothing.
    Owed close();
    bool holding() const { return depth_ > 0; }

    // Each is true when the step is held back for the batch's end.
    bool holdScene() { return hold(owed_.scene); }
    bool holdView() { return hold(owed_.view); }
    bool holdShow() { return hold(owed_.show); }

    // The graphs changed and whoever changed them draws later: the picture
    // is owed until the next compile.
    void sceneStale() { owed_.scene = true; }
    bool sceneOwed() const { return owed_.scene; }
    // A compile ran: the picture is up to date with the graphs.
    void compiled() { owed_.scene = owed_.view = false; }

private:
    bool hold(bool& flag) {
        if (depth_ > 0) flag = true;
        return depth_ > 0;
    }
    int depth_ = 0;
    Owed owed_;
};

inline RedrawGate::Owed RedrawGate::close() {
    if (depth_ == 0 || --depth_ > 0) return {};
    Owed o = owed_;
    owed_ = {};
    if (o.scene) o.view = false;
    if (o.scene || o.view) o.show = true;
    return o;
}
