# Sourced by the wizard's drive scripts: from the welcome page to the results by Return alone,
# grabbing each page with the caller's `grab` and pressing keys with its `key`. The domain list
# is filled from the network on its first visit; the run against it ends on the results page.
walk_to_results() {
    grab 1_welcome 0
    # Enter clicks the default button, Next.
    key Return
    grab 2_option
    key Return
    grab 3_domains 4
    key Return
    grab 4_processing 0.5
    grab 5_results 10
}
