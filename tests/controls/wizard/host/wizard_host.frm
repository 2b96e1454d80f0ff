OstrelForm 1
# A host's own three-page wizard for the tests that drive the wizard controls from outside.
Begin Form frmHost
   Caption = String "Host Wizard"
   Width = Double 7512
   Height = Double 5676
   Begin KyComCtl.KyWizardTab wtWelcome
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 1
      PageNext = Long 2
      PageMode = Long 0
      WatermarkTitle = String "Welcome to the host wizard"
   End
   Begin KyComCtl.KyWizardTab wtWork
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 2
      PageBack = Long 1
      PageNext = Long 3
      BannerTitle = String "The host's work"
      BannerDescription = String "The host runs its job here."
   End
   Begin KyComCtl.KyWizardTab wtDone
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 3
      PageBack = Long 2
      PageMode = Long 2
      WatermarkTitle = String "All done"
   End
   Begin KyComCtl.KyWizardNavigator kwnNavigator
      @Align = Long 2
      @TabIndex = Long 3
      HoldParentSize = Boolean False
      WizardSizeMode = Long 1
      ParentWidth = Long 7512
      ParentHeight = Long 5676
      DefaultButton = Long 3
      CancelButton = Long 4
   End
End
