#include "app/qt/form_main.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include "app/form_main_layout.h"
#include "app/qt/application.h"
#include "app/qt/form_controls.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/timebox/qt/vos_time_box.h"
#include "platform/qt/color.h"
#include "platform/qt/font.h"

namespace zelvorn {

namespace {

QRect ToQRect(const TBounds& bounds) {
  return {bounds.Left, bounds.Top, bounds.Width, bounds.Height};
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
  Timer1 = LoadTimer(FormMainLayout().Timer1);
  // Tab order: the strip (chooser, button; the time box is disabled), then the grid.
  setTabOrder(ComboBox1, Button1);
  setTabOrder(Button1, CellGrid1);
  ComboBox1->setFocus(Qt::OtherFocusReason);

  training_ = std::make_unique<TTraining>(CellGrid1->Grid(), *VosTimeBox1, *Label2, *ComboBox1,
                                          *Button1, *Timer1, owner_, owner_, owner_.SoundPath());
}

TForm_main::~TForm_main() = default;

void TForm_main::LoadForm() {
  const TFormMainLayout::TForm& stored = FormMainLayout().Form;
  setWindowTitle(QString::fromStdString(stored.Caption));
  resize(stored.ClientWidth, stored.ClientHeight);
  move(CentredPosition(size()));
  setFont(ToQFont(stored.Font));
  SetColors(*this, stored.Color, stored.Font.Color);
  setAutoFillBackground(true);
}

void TForm_main::LoadPanel1() {
  const TFormMainLayout& stored = FormMainLayout();
  Panel1 = new TPanel(this);
  Panel1->setGeometry(ToQRect(StripBounds(stored.Form.ClientWidth)));

  Label1 = new TLabel(Panel1);
  Label1->setGeometry(ToQRect(stored.Label1.Bounds));
  LoadLabel(*Label1, stored.Label1);
  Label2 = new TLabel(Panel1);
  Label2->setGeometry(ToQRect(stored.Label2.Bounds));
  LoadLabel(*Label2, stored.Label2);

  ComboBox1 = new TComboBox(Panel1);
  ComboBox1->setGeometry(ToQRect(stored.ComboBox1.Bounds));
  LoadComboBox(*ComboBox1, stored.ComboBox1);

  Button1 = new TButton(Panel1);
  Button1->setGeometry(ToQRect(stored.Button1.Bounds));
  Button1->SetCaption(stored.Button1.Caption);

  VosTimeBox1 = new TVosTimeBox(Panel1);
  VosTimeBox1->setGeometry(ToQRect(stored.VosTimeBox1.Bounds));
  LoadTimeBox(*VosTimeBox1, stored.VosTimeBox1);
}

void TForm_main::LoadCellGrid1() {
  const TFormMainLayout& stored = FormMainLayout();
  CellGrid1 = new TCellGridWidget(this);
  CellGrid1->setGeometry(ToQRect(GridBounds(stored.Form.ClientWidth, stored.Form.ClientHeight)));
  LoadCellGrid(CellGrid1->Grid(), stored.CellGrid1);
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
  QTimer::singleShot(0, this, [this] { owner_.PrepareSound(owner_.SoundPath()); });
}

void TForm_main::Realign() {
  if (Panel1 == nullptr || CellGrid1 == nullptr) return;
  Panel1->setGeometry(ToQRect(StripBounds(width())));
  CellGrid1->setGeometry(ToQRect(GridBounds(width(), height())));
}

}  // namespace zelvorn
