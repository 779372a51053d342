# Sourced by the kit trials. The demo's transcript in the README at $1, less its build step (the
# lines up to the first blank one): what the kit's sandbox must print for the first week.
readme_demo() {
  awk '/^\$ scripts\/sandbox-demo.sh$/ { demo = 1; next }
       demo && /^```/ { exit }
       demo && started { print }
       demo && /^$/ { started = 1 }' "$1"
}
