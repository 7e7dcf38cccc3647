# User variables: named expressions substituted before solving.
tutorial_variables() {
  caption "User variables: Tools > User variables (Ctrl+U)" 0.3
  menu_user_variables
  local id
  id=$(place_window "User variables")
  sleep 1
  caption "Declarations holds the name, Assignments the expression" 0.3
  click_in "$id" 73 73
  typed "r"
  keys Tab
  typed "(2+3)"
  keys Return
  sleep 1.5
  caption "OK saves the variables" 0.3
  click_in "$id" 469 317
  sleep 1
  caption "A name is replaced by its expression, so keep it in brackets" 0.3
  enter_expression "pi*r^2"
  solve 3
  enter_expression "2*pi*r"
  solve 3
  caption "View > Solution: the steps ran with r replaced by (2+3)" 0.3
  menu_solution
  place_window "Solution" >/dev/null
  sleep 4
}
