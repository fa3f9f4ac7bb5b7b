// Plays a recorded call stream straight into libgdiplus: what the drawing
// of a frame costs without the radar around it. Slots of the stream map to
// the objects this replay made; device contexts to the scene's surfaces.
#pragma once

#include <vector>

#include "call_stream.h"
#include "platform/gdiplus_flat.h"

namespace bench {

class Replayer {
public:
    // device_contexts[n - 1] is the surface the stream calls device context n.
    explicit Replayer(std::vector<gdip::Hdc> device_contexts);
    ~Replayer();
    Replayer(const Replayer&) = delete;
    Replayer& operator=(const Replayer&) = delete;

    // Makes, changes and deletes objects as the stream does, drawing nothing:
    // brings the replay up to the state the radar had after this stream.
    void Follow(const CallStream& stream);
    // Every call of the stream.
    void Play(const CallStream& stream);

    // The Graphics made for device context n, or null.
    gdip::GpGraphics* GraphicsOn(Slot device_context) const;
    // Calls that failed so far (a replay should have none).
    long failures() const { return failures_; }

private:
    void Run(const CallStream& stream, bool draw);
    void Execute(const StreamCall& call, const CallStream& stream);
    void* Object(Slot slot) const;
    template <typename Handle>
    Handle* As(Slot slot) const {
        return static_cast<Handle*>(Object(slot));
    }
    void Keep(Slot slot, void* object);
    void DeleteObject(Op op, Slot slot);

    std::vector<gdip::Hdc> device_contexts_;
    std::vector<void*> objects_;                                    // by slot
    std::vector<Op> kinds_;                                         // the op that made each slot
    std::vector<std::vector<gdip::GraphicsContainer>> containers_;  // by Graphics slot
    std::vector<std::pair<Slot, Slot>> graphics_on_;                // (device context, Graphics slot)
    std::vector<gdip::PointF> scratch_;
    long failures_ = 0;
};

}  // namespace bench
