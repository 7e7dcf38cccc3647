#include "ui/live_preview.h"

#include <QLineEdit>
#include <QMetaObject>

#include "settings/helper_programs.h"
#include "ui/input_highlighter.h"
#include "ui/preview_line.h"

namespace korvex {

LivePreview::LivePreview(Calculator& calculator, QLineEdit* edit, PreviewLine* line,
                         std::function<bool()> plotting)
    : QObject(edit),
      calculator_(calculator),
      edit_(edit),
      line_(line),
      plotting_(std::move(plotting)) {
  highlighter_ = new InputHighlighter(edit_, [this] {
    InputNames names;
    names.functions = &calculator_.catalogues().functions;
    names.constants = &calculator_.catalogues().constants;
    names.variables = &calculator_.variables();
    if (plotting_()) names.plot_variable = calculator_.plot_settings().variable;
    return names;
  });
  connect(edit_, &QLineEdit::textChanged, this, &LivePreview::TextChanged);
}

// The worker's threads end before the rest of this object goes.
LivePreview::~LivePreview() = default;

void LivePreview::set_enabled(bool on) {
  enabled_ = on;
  line_->setVisible(on);
  if (on) {
    TextChanged();
    return;
  }
  ++generation_;
  if (worker_) worker_->Cancel();
  line_->Clear();
}

void LivePreview::Refresh() {
  highlighter_->Refresh();
  TextChanged();
}

void LivePreview::TextChanged() {
  ++generation_;
  if (!enabled_) return;
  const QString text = edit_->text();
  if (text.trimmed().isEmpty()) {
    if (worker_) worker_->Cancel();
    line_->Clear();
    return;
  }
  if (!worker_) {
    // Told on the preview thread, shown on this one. The worker ends with
    // this object, so `this` is there whenever the worker tells; a call
    // still queued when it goes is dropped with it.
    worker_ = std::make_unique<PreviewWorker>(
        kPreviewBudget, PrimeCountHelperPath(), [this](Preview preview) {
          QMetaObject::invokeMethod(
              this, [this, preview = std::move(preview)] { Arrived(preview); },
              Qt::QueuedConnection);
        });
  }
  worker_->Submit(calculator_.MakePreviewRequest(text.toStdString(), plotting_(), generation_));
}

void LivePreview::Arrived(const Preview& preview) {
  if (!enabled_ || preview.generation != generation_) return;
  line_->Show(preview);
  highlighter_->set_failure_place(preview.failure_place);
  emit previewShown();
}

}  // namespace korvex
