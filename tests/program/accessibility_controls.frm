OstrelForm 1
# One of each control of the library that has property pages, for the accessibility test
# that opens every page from outside.
Begin Form frmControls
   Caption = String "Controls"
   Width = Double 9000
   Height = Double 7000
   Begin KyComCtl.KyWizardTab wtPage
      @Align = Long 1
   End
   Begin KyComCtl.KyLabel kylTitle
      @Left = Double 120
      @Top = Double 120
      @Width = Double 2000
      @Height = Double 300
   End
   Begin KyComCtl.KyUpDown kudCount
      @Left = Double 120
      @Top = Double 600
      @Width = Double 1200
      @Height = Double 315
   End
   Begin KyComCtl.KyProgressBar prbProgress
      @Left = Double 120
      @Top = Double 1100
      @Width = Double 3000
      @Height = Double 300
   End
   Begin KyComCtl.KyProgressInfo piInfo
      @Left = Double 3300
      @Top = Double 120
      @Width = Double 4000
      @Height = Double 2400
   End
   Begin KyComCtl.KyTreeBase ktbOptions
      @Left = Double 120
      @Top = Double 2700
      @Width = Double 6000
      @Height = Double 3000
   End
   Begin KyComCtl.KyWizardNavigator kwnNavigator
      @Align = Long 2
   End
End
