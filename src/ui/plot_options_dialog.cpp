// The Plot options dialog: its three pages, the enabling rules, the colour
// panels, and the round trip through plot.ini.
#include "ui/plot_options_dialog.h"
#include "ui/window_support.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "core/calculator.h"
#include "ui/chart_view.h"
#include "ui/message_seam.h"

namespace korvex {
namespace {

struct PlotOptionsTexts {
  const char* name = "Form14";
  const char* caption = "Plot options";
  const char* calculations = "Calculations";
  const char* scales = "Scales";
  const char* visuals = "Visuals";
  const char* graph_calculations = "Graph calculations";
  const char* start = "Variable start:";
  const char* stop = "Variable stop:";
  const char* increment = "Variable increment:";
  const char* variable = "Plot variable:";
  const char* graph_plot = "Graph plot";
  const char* single = "Single plot";
  const char* multiple = "Multiple plots";
  const char* multipleall = "Multiple plots (all)";
  const char* plot_mode = "Plot mode";
  const char* derivative = "Numerical derivative";
  const char* epsilon = "Epsilon:";
  const char* x_group = "X axis scales";
  const char* y_group = "Y axis scales";
  const char* automatic = "Automatic";
  const char* inverted = "Inverted";
  const char* logarithmic = "Logarithmic";
  const char* log_base = "Log base:";
  const char* x_max = "X max:";
  const char* x_min = "X min:";
  const char* y_max = "Y max:";
  const char* y_min = "Y min:";
  const char* view_options = "View options";
  const char* colour_options = "Color options";
  const char* row_multiple = "Multiple";
  const char* row_single = "Single";
  const char* stairs = "View stairs";
  const char* points = "View points";
  const char* hgrid = "View horizontal grid";
  const char* vgrid = "View vertical grid";
  const char* graph_colour = "Graph color:";
  const char* point_colour = "Point color:";
  const char* back_colour = "Back color:";
  const char* grid_colour = "Grid color:";
  const char* options_3d = "3D options";
  const char* view_3d = "View 3D";
  const char* percent = "3D percent:";
};
constexpr PlotOptionsTexts kTexts;
constexpr int kMinPercent = 5;
constexpr int kMaxPercent = 100;
constexpr int kPercentStep = 5;
constexpr int kPanelWidth = 56;

QString Latin(const char* text) { return QString::fromLatin1(text); }
QString Text(const std::string& text) { return QString::fromStdString(text); }
std::string Std(const QLineEdit* edit) { return edit->text().toStdString(); }

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(Latin(name));
  return edit;
}

QCheckBox* MakeCheck(const char* name, const char* caption, QWidget* parent) {
  auto* check = new QCheckBox(Latin(caption), parent);
  check->setObjectName(Latin(name));
  return check;
}

QLabel* RowCaption(const char* caption, QWidget* parent) {
  auto* label = new QLabel(Latin(caption), parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace

std::optional<QColor> QtColourSeam::ChooseColour(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

PlotOptionsDialog::PlotOptionsDialog(Calculator& calculator, QWidget* parent, ColourSeam* colours)
    : QDialog(parent),
      calculator_(calculator),
      own_colours_(colours ? nullptr : std::make_unique<QtColourSeam>()),
      colours_(colours ? colours : own_colours_.get()) {
  setObjectName(Latin(kTexts.name));
  setWindowTitle(Latin(kTexts.caption));
  setModal(true);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pages_->addTab(MakeCalculationsPage(), Latin(kTexts.calculations));
  pages_->addTab(MakeScalesPage(), Latin(kTexts.scales));
  pages_->addTab(MakeVisualsPage(), Latin(kTexts.visuals));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  const SettingsButtons buttons = AddSettingsButtonRow(layout, this, "default");
  connect(buttons.ok, &QPushButton::clicked, this, &PlotOptionsDialog::okClick);
  connect(buttons.cancel, &QPushButton::clicked, this, &PlotOptionsDialog::cancelClick);
  connect(buttons.defaults, &QPushButton::clicked, this, &PlotOptionsDialog::defaultClick);

  for (QCheckBox* check :
       {derivative_, x_.automatic, x_.logarithmic, y_.automatic, y_.logarithmic, dimensioncheck_})
    connect(check, &QCheckBox::toggled, this, &PlotOptionsDialog::ApplyEnabling);
  ShowSettings(calculator_.plot_settings());
}

PlotOptionsDialog::~PlotOptionsDialog() = default;

QWidget* PlotOptionsDialog::MakeCalculationsPage() {
  auto* page = new QWidget(this);
  auto* calculations = new QGroupBox(Latin(kTexts.graph_calculations), page);
  start_ = MakeEdit("start", calculations);
  stop_ = MakeEdit("stop", calculations);
  increment_ = MakeEdit("increment", calculations);
  variable_ = MakeEdit("variable", calculations);
  auto* fields = new QFormLayout(calculations);
  fields->addRow(Latin(kTexts.start), start_);
  fields->addRow(Latin(kTexts.stop), stop_);
  fields->addRow(Latin(kTexts.increment), increment_);
  fields->addRow(Latin(kTexts.variable), variable_);

  auto* plot = new QGroupBox(Latin(kTexts.graph_plot), page);
  single_ = new QRadioButton(Latin(kTexts.single), plot);
  single_->setObjectName(QStringLiteral("single"));
  multiple_ = new QRadioButton(Latin(kTexts.multiple), plot);
  multiple_->setObjectName(QStringLiteral("multiple"));
  multipleall_ = new QRadioButton(Latin(kTexts.multipleall), plot);
  multipleall_->setObjectName(QStringLiteral("multipleall"));
  auto* modes = new QVBoxLayout(plot);
  modes->addWidget(single_);
  modes->addWidget(multiple_);
  modes->addWidget(multipleall_);

  auto* mode = new QGroupBox(Latin(kTexts.plot_mode), page);
  derivative_ = MakeCheck("derivative", kTexts.derivative, mode);
  epsilon_ = MakeEdit("epsilon", mode);
  auto* derivative_fields = new QFormLayout(mode);
  derivative_fields->addRow(derivative_);
  derivative_fields->addRow(Latin(kTexts.epsilon), epsilon_);

  auto* lower = new QHBoxLayout;
  lower->addWidget(plot);
  lower->addWidget(mode);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(calculations);
  layout->addLayout(lower);
  layout->addStretch(1);
  return page;
}

PlotOptionsDialog::AxisControls PlotOptionsDialog::MakeAxisControls(QWidget* parent, char axis) {
  const bool x = axis == 'x';
  auto* group = new QGroupBox(Latin(x ? kTexts.x_group : kTexts.y_group), parent);
  AxisControls controls{};
  controls.automatic = MakeCheck(x ? "xautocheck" : "yautocheck", kTexts.automatic, group);
  controls.inverted = MakeCheck(x ? "xinvcheck" : "yinvcheck", kTexts.inverted, group);
  controls.logarithmic = MakeCheck(x ? "xlogcheck" : "ylogcheck", kTexts.logarithmic, group);
  controls.log_base = MakeEdit(x ? "xlog" : "ylog", group);
  controls.maximum = MakeEdit(x ? "xmax" : "ymax", group);
  controls.minimum = MakeEdit(x ? "xmin" : "ymin", group);
  auto* checks = new QVBoxLayout;
  checks->addWidget(controls.automatic);
  checks->addWidget(controls.inverted);
  checks->addWidget(controls.logarithmic);
  checks->addStretch(1);
  auto* fields = new QFormLayout;
  // The x group lists the base first, the y group the limits first.
  if (x) fields->addRow(Latin(kTexts.log_base), controls.log_base);
  fields->addRow(Latin(x ? kTexts.x_max : kTexts.y_max), controls.maximum);
  fields->addRow(Latin(x ? kTexts.x_min : kTexts.y_min), controls.minimum);
  if (!x) fields->addRow(Latin(kTexts.log_base), controls.log_base);
  auto* layout = new QHBoxLayout(group);
  layout->addLayout(checks);
  layout->addLayout(fields, 1);
  return controls;
}

QWidget* PlotOptionsDialog::MakeScalesPage() {
  auto* page = new QWidget(this);
  x_ = MakeAxisControls(page, 'x');
  y_ = MakeAxisControls(page, 'y');
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(x_.automatic->parentWidget());
  layout->addWidget(y_.automatic->parentWidget());
  layout->addStretch(1);
  return page;
}

PlotOptionsDialog::ColourPanel PlotOptionsDialog::MakeColourPanel(QWidget* parent,
                                                                  const char* name) {
  auto* panel = new QPushButton(parent);
  panel->setObjectName(Latin(name));
  panel->setAutoDefault(false);
  panel->setMinimumWidth(kPanelWidth);
  panel->setCursor(Qt::PointingHandCursor);
  return ColourPanel{panel, 0};
}

QWidget* PlotOptionsDialog::MakeVisualsPage() {
  auto* page = new QWidget(this);

  auto* view = new QGroupBox(Latin(kTexts.view_options), page);
  stairscheck_ = MakeCheck("stairscheck", kTexts.stairs, view);
  pointscheck_ = MakeCheck("pointscheck", kTexts.points, view);
  hgridcheck_ = MakeCheck("hgridcheck", kTexts.hgrid, view);
  vgridcheck_ = MakeCheck("vgridcheck", kTexts.vgrid, view);
  auto* view_grid = new QGridLayout(view);
  view_grid->addWidget(RowCaption(kTexts.row_multiple, view), 0, 0);
  view_grid->addWidget(stairscheck_, 0, 1);
  view_grid->addWidget(pointscheck_, 0, 2);
  view_grid->addWidget(RowCaption(kTexts.row_single, view), 1, 0);
  view_grid->addWidget(hgridcheck_, 1, 1);
  view_grid->addWidget(vgridcheck_, 1, 2);
  view_grid->setColumnStretch(3, 1);

  auto* colours = new QGroupBox(Latin(kTexts.colour_options), page);
  graphc_ = MakeColourPanel(colours, "graphc");
  pointc_ = MakeColourPanel(colours, "pointc");
  backc_ = MakeColourPanel(colours, "backc");
  gridc_ = MakeColourPanel(colours, "gridc");
  auto* colour_grid = new QGridLayout(colours);
  const struct {
    const char* caption;
    ColourPanel* panel;
    int row;
    int column;
  } panels[] = {{kTexts.graph_colour, &graphc_, 0, 1},
                {kTexts.point_colour, &pointc_, 0, 3},
                {kTexts.back_colour, &backc_, 1, 1},
                {kTexts.grid_colour, &gridc_, 1, 3}};
  colour_grid->addWidget(RowCaption(kTexts.row_multiple, colours), 0, 0);
  colour_grid->addWidget(RowCaption(kTexts.row_single, colours), 1, 0);
  for (const auto& one : panels) {
    colour_grid->addWidget(new QLabel(Latin(one.caption), colours), one.row, one.column);
    colour_grid->addWidget(one.panel->panel, one.row, one.column + 1);
    ColourPanel* panel = one.panel;
    connect(panel->panel, &QPushButton::clicked, this, [this, panel] { ChooseColour(*panel); });
  }
  colour_grid->setColumnStretch(5, 1);

  auto* depth = new QGroupBox(Latin(kTexts.options_3d), page);
  dimensioncheck_ = MakeCheck("dimensioncheck", kTexts.view_3d, depth);
  percentud_ = new QSpinBox(depth);
  percentud_->setObjectName(QStringLiteral("percentud"));
  percentud_->setRange(kMinPercent, kMaxPercent);
  percentud_->setSingleStep(kPercentStep);
  // The figure changes only through the arrows.
  if (auto* percent = percentud_->findChild<QLineEdit*>()) {
    percent->setObjectName(QStringLiteral("percent"));
    percent->setReadOnly(true);
  }
  auto* depth_layout = new QHBoxLayout(depth);
  depth_layout->addWidget(dimensioncheck_);
  depth_layout->addSpacing(16);
  depth_layout->addWidget(new QLabel(Latin(kTexts.percent), depth));
  depth_layout->addWidget(percentud_);
  depth_layout->addStretch(1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(view);
  layout->addWidget(colours);
  layout->addWidget(depth);
  layout->addStretch(1);
  return page;
}

void PlotOptionsDialog::ShowColour(ColourPanel& panel, Colour colour) {
  panel.colour = colour;
  const QColor shown = ToQColor(colour);
  panel.panel->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                            "palette(mid); min-height: 1.4em; }")
                                 .arg(shown.name()));
  panel.panel->setToolTip(shown.name());
}

void PlotOptionsDialog::ChooseColour(ColourPanel& panel) {
  if (const auto chosen = colours_->ChooseColour(this, ToQColor(panel.colour)))
    ShowColour(panel, FromQColor(*chosen));
}

void PlotOptionsDialog::ShowSettings(const PlotSettings& settings) {
  start_->setText(Text(settings.start));
  stop_->setText(Text(settings.stop));
  increment_->setText(Text(settings.increment));
  variable_->setText(Text(settings.variable));
  // Checking one radio button clears the others.
  (settings.mode == PlotMode::kSingle     ? single_
   : settings.mode == PlotMode::kMultiple ? multiple_
                                          : multipleall_)
      ->setChecked(true);
  derivative_->setChecked(settings.derivative);
  epsilon_->setText(Text(settings.epsilon));
  for (auto [controls, axis] :
       {std::pair{&x_, &settings.x_axis}, std::pair{&y_, &settings.y_axis}}) {
    controls->automatic->setChecked(axis->automatic);
    controls->inverted->setChecked(axis->inverted);
    controls->logarithmic->setChecked(axis->logarithmic);
    controls->minimum->setText(Text(axis->minimum));
    controls->maximum->setText(Text(axis->maximum));
    controls->log_base->setText(Text(axis->log_base));
  }
  stairscheck_->setChecked(settings.stairs);
  pointscheck_->setChecked(settings.points);
  hgridcheck_->setChecked(settings.horizontal_grid);
  vgridcheck_->setChecked(settings.vertical_grid);
  ShowColour(graphc_, settings.graph_colour);
  ShowColour(pointc_, settings.point_colour);
  ShowColour(backc_, settings.back_colour);
  ShowColour(gridc_, settings.grid_colour);
  dimensioncheck_->setChecked(settings.view_3d);
  percentud_->setValue(settings.percent_3d);
  ApplyEnabling();
}

PlotSettings PlotOptionsDialog::ControlSettings() const {
  PlotSettings settings;
  settings.variable = Std(variable_);
  settings.start = Std(start_);
  settings.stop = Std(stop_);
  settings.increment = Std(increment_);
  settings.mode = single_->isChecked()     ? PlotMode::kSingle
                  : multiple_->isChecked() ? PlotMode::kMultiple
                                           : PlotMode::kMultipleAll;
  settings.derivative = derivative_->isChecked();
  settings.epsilon = Std(epsilon_);
  for (auto [controls, axis] :
       {std::pair{&x_, &settings.x_axis}, std::pair{&y_, &settings.y_axis}}) {
    axis->automatic = controls->automatic->isChecked();
    axis->inverted = controls->inverted->isChecked();
    axis->logarithmic = controls->logarithmic->isChecked();
    axis->minimum = Std(controls->minimum);
    axis->maximum = Std(controls->maximum);
    axis->log_base = Std(controls->log_base);
  }
  settings.stairs = stairscheck_->isChecked();
  settings.points = pointscheck_->isChecked();
  settings.horizontal_grid = hgridcheck_->isChecked();
  settings.vertical_grid = vgridcheck_->isChecked();
  settings.graph_colour = graphc_.colour;
  settings.point_colour = pointc_.colour;
  settings.back_colour = backc_.colour;
  settings.grid_colour = gridc_.colour;
  settings.view_3d = dimensioncheck_->isChecked();
  settings.percent_3d = percentud_->value();
  return settings;
}

void PlotOptionsDialog::ApplyEnabling() {
  epsilon_->setEnabled(derivative_->isChecked());
  for (const AxisControls* axis : {&x_, &y_}) {
    const bool manual = !axis->automatic->isChecked();
    axis->maximum->setEnabled(manual);
    axis->minimum->setEnabled(manual);
    axis->log_base->setEnabled(axis->logarithmic->isChecked());
  }
  percentud_->setEnabled(dimensioncheck_->isChecked());
}

void PlotOptionsDialog::LoadPlotSettings() {
  calculator_.LoadPlotSettings();
  ShowSettings(calculator_.plot_settings());
  emit settingsLoaded();
}

void PlotOptionsDialog::okClick() {
  // What the user confirmed is in force even when the file cannot be
  // written; the reload on closing then keeps it only if the file is gone.
  PlotSettings& live = calculator_.plot_settings();
  live = ControlSettings();
  calculator_.SavePlotSettings(live);
  accept();
}

void PlotOptionsDialog::cancelClick() { reject(); }

void PlotOptionsDialog::defaultClick() { ShowSettings(PlotSettings()); }

void PlotOptionsDialog::showEvent(QShowEvent* event) {
  ShowSettings(calculator_.plot_settings());
  pages_->setFocus();
  QDialog::showEvent(event);
}

void PlotOptionsDialog::done(int result) {
  QDialog::done(result);
  LoadPlotSettings();
}

}  // namespace korvex
