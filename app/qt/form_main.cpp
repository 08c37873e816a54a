#include "app/qt/form_main.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/qt/application.h"
#include "app/qt/form_controls.h"
#include "app/qt/training_ports.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/qt/qt_color.h"
#include "platform/qt/qt_font.h"
#include "platform/timer.h"
#include "training/training_controller.h"

namespace zelvorn {

// The controller's views of this window's controls.
struct TWindowPorts {
  TGridPort grid;
  TTimeBoxPort time_box;
  TLabelPort progress_label;
  TComboBoxPort size_chooser;
  TButtonPort start_button;
  TTimerPort timer;
};

namespace {

// The layout was stored for an outer size of 576 × 638 pixels; less the Windows frame, that
// leaves this client area, which is what the window's contents are laid out in.
constexpr int kClientWidth = 568;
constexpr int kClientHeight = 604;
constexpr int kPanelHeight = 70;

TFont Font(const char* name, std::int32_t height, bool bold, TColor color) {
  TFont font;
  font.Name = name;
  font.Height = height;
  font.Bold = bold;
  font.Color = color;
  return font;
}

// The stored position is overridden: the window opens centred on the screen.
QPoint CentredPosition(QSize size) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect desktop = screen->geometry();
  return {desktop.x() + (desktop.width() - size.width()) / 2,
          desktop.y() + (desktop.height() - size.height()) / 2};
}

void SetColors(QWidget& widget, TColor background, TColor text) {
  QPalette colors = widget.palette();
  colors.setColor(QPalette::Window, ToQColor(background, colors));
  colors.setColor(QPalette::WindowText, ToQColor(text, colors));
  widget.setPalette(colors);
}

}  // namespace

TForm_main::TForm_main(TApplication& owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      owner_(owner) {
  LoadForm();
  LoadPanel1();
  LoadCellGrid1();
  LoadTimer1();
  // Tab order: the strip (chooser, button; the time box is disabled), then the grid.
  setTabOrder(ComboBox1, Button1);
  setTabOrder(Button1, CellGrid1);
  ComboBox1->setFocus(Qt::OtherFocusReason);

  ports_ = std::make_unique<TWindowPorts>(
      TWindowPorts{TGridPort(CellGrid1->Grid()), TTimeBoxPort(*VosTimeBox1), TLabelPort(*Label2),
                   TComboBoxPort(*ComboBox1), TButtonPort(*Button1), TTimerPort(*Timer1)});
  controller_ = std::make_unique<TTrainingController>(
      TTrainingPorts{ports_->grid, ports_->time_box, ports_->progress_label, ports_->size_chooser,
                     ports_->start_button, ports_->timer, owner_, owner_,
                     QCoreApplication::applicationFilePath().toStdString()});
}

TForm_main::~TForm_main() = default;

void TForm_main::LoadForm() {
  setWindowTitle(QStringLiteral("Zelvorn"));
  resize(kClientWidth, kClientHeight);
  move(CentredPosition(size()));
  setFont(ToQFont(Font("宋体", -16, false, clWindowText)));
  SetColors(*this, clBtnFace, clWindowText);
  setAutoFillBackground(true);
}

void TForm_main::LoadPanel1() {
  Panel1 = new TPanel(this);
  Panel1->setGeometry(0, 0, kClientWidth, kPanelHeight);  // aligned to the top

  Label1 = new TLabel(Panel1);
  Label1->setGeometry(61, 26, 32, 16);
  Label1->SetCaption("表格");

  Label2 = new TLabel(Panel1);
  Label2->setGeometry(5, 4, 29, 56);
  Label2->SetCaption("0");
  Label2->SetFont(Font("宋体", -56, true, clWindowText));

  ComboBox1 = new TComboBox(Panel1);
  ComboBox1->setGeometry(115, 23, 149, 24);
  for (const char* item : {"5×5", "6×6", "7×7", "8×8", "9×9"}) ComboBox1->AddItem(item);
  ComboBox1->SetItemIndex(0);
  ComboBox1->SetText("5×5");

  Button1 = new TButton(Panel1);
  Button1->setGeometry(296, 8, 101, 50);
  Button1->SetCaption("开始训练");
  Button1->OnClick = [this] { Button1Click(); };

  VosTimeBox1 = new TVosTimeBox(Panel1);
  VosTimeBox1->setGeometry(412, 15, 140, 37);
  VosTimeBox1->SetAutoSelect(false);
  VosTimeBox1->SetColor(clBlack);
  VosTimeBox1->setEnabled(false);
  VosTimeBox1->setReadOnly(true);
  VosTimeBox1->SetText("00:00:00");
  VosTimeBox1->SetFont(Font("黑体", -29, false, clWhite));
  VosTimeBox1->SetNowBegin(false);
  VosTimeBox1->SetNowPause(false);
}

void TForm_main::LoadCellGrid1() {
  CellGrid1 = new TCellGridWidget(this);
  CellGrid1->setGeometry(0, kPanelHeight, kClientWidth, kClientHeight - kPanelHeight);
  TCellGrid& grid = CellGrid1->Grid();
  grid.SetDefaultColWidth(110);
  grid.SetDefaultRowHeight(105);
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetRowCount(5);
  TGridAppearance appearance = grid.Appearance();
  appearance.Font = Font("Tahoma", -64, true, clWindowText);
  appearance.FixedFont = Font("Tahoma", -11, true, clWindowText);
  grid.SetAppearance(appearance);
  using enum TGridOption;
  grid.SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                   goDrawFocusSelected});
  grid.Events.OnGetAlignment = [this](const TCellGrid&, std::int32_t row, std::int32_t col,
                                      TAlignment& h,
                                      TVAlignment& v) { CellGrid1GetAlignment(row, col, h, v); };
  grid.Events.OnClickCell = [this](TCellGrid&, std::int32_t row, std::int32_t col) {
    CellGrid1ClickCell(row, col);
  };
}

void TForm_main::LoadTimer1() {
  Timer1 = std::make_unique<TTimer>();
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this] { Timer1Timer(); };
}

void TForm_main::Timer1Timer() { controller_->Timer1Timer(); }
void TForm_main::Button1Click() { controller_->Button1Click(); }
void TForm_main::CellGrid1GetAlignment(std::int32_t ARow, std::int32_t ACol, TAlignment& HAlign,
                                       TVAlignment& VAlign) {
  controller_->CellGrid1GetAlignment(ARow, ACol, HAlign, VAlign);
}
void TForm_main::CellGrid1ClickCell(std::int32_t ARow, std::int32_t ACol) {
  controller_->CellGrid1ClickCell(ARow, ACol);
}

void TForm_main::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Realign();
}

void TForm_main::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (sound_prepared_) return;
  sound_prepared_ = true;
  // The audio stack loads once the window is on the screen: the window does not wait for it,
  // and the first wrong click does not either.
  QTimer::singleShot(0, this, [this] {
    owner_.PrepareSound(SoundFilePath(QCoreApplication::applicationFilePath().toStdString()));
  });
}

void TForm_main::Realign() {
  if (Panel1 == nullptr || CellGrid1 == nullptr) return;
  Panel1->setGeometry(0, 0, width(), kPanelHeight);
  CellGrid1->setGeometry(0, kPanelHeight, width(), std::max(0, height() - kPanelHeight));
}

}  // namespace zelvorn
