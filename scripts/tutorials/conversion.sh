# Output conversion: the answer in other number systems.
number_system() {
  menu_general_options
  sleep 0.8
  click_at 158 34
  sleep 0.8
  click_at 294 67
  sleep 0.8
  keys "$@"
  keys Return
  sleep 1.5
  click_at 311 347
  sleep 0.8
}
tutorial_conversion() {
  caption "Output conversion: answers are shown in decimal by default" 0.3
  enter_expression "255"
  solve 2
  caption "Tools > General options... > Output > Number system" 0.3
  number_system Up
  caption "Hexadecimal: 255 is shown as FF" 0.3
  solve 3
  caption "Binary shows sign, integer part and mantissa bits" 0.3
  number_system Down Down Down Down
  enter_expression "10,25"
  solve 3
  caption "Back to decimal, with Scientific notation switched on" 0.3
  menu_general_options
  sleep 0.8
  click_at 158 34; sleep 0.8
  click_at 294 67; sleep 0.8
  keys Up Up Up Return
  click_at 39 121
  sleep 2
  click_at 311 347
  enter_expression "123456*789"
  solve 3
}
