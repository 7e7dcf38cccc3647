# Normal expressions: type, insert, solve, read the steps, use the catalogues.
tutorial_normal() {
  caption "Normal expressions: type an expression in the Input box" 2
  enter_expression "2+3*4"
  caption "Insert adds it to the Evaluate list" 1.5
  caption "Solve evaluates the selected expression" 0.5
  solve 2
  enter_expression "(1+2)^3/9"
  solve 2
  caption "Functions take their parameters in square brackets" 0.5
  enter_expression "sqrt[16]+sin[pi/2]"
  solve 2.5
  caption "Several parameters are separated by semicolons" 0.5
  enter_expression "gcd[12;18]+mean[1;2;3]"
  solve 2.5
  caption "View > Solution lists every step of the calculation" 0.5
  menu_solution
  place_window Solution >/dev/null
  sleep 3
  xdotool key Escape; sleep 0.5
  caption "Insert > Function... browses all functions by category" 0.5
  menu_function
  place_window Functions >/dev/null
  sleep 4
  click_in "$(wait_window Functions)" 510 560 2>/dev/null
  xdotool search --name '^Functions$' windowunmap %@ 2>/dev/null
  caption "Insert > Constant... lists the constants, such as pi" 0.5
  menu_constant
  place_window Constants >/dev/null
  sleep 4
}
