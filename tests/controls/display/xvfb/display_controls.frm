OstrelForm 1
# Every display control on one window, as a host places them, for the screen reader's view
# read from outside.
Begin Form frmDisplay
   Caption = String "Display controls"
   Width = Double 14600
   Height = Double 8200
   Begin VB.Label lblDays
      Caption = String "Days:"
      Left = Double 120
      Top = Double 180
      Width = Double 900
      Height = Double 255
   End
   Begin KyComCtl.KyUpDown udDays
      @Left = Double 1080
      @Top = Double 120
      @Width = Double 1200
      @Height = Double 315
      Max = Long 30
      Value = Long 7
   End
   Begin VB.Label lblWeeks
      Caption = String "Weeks:"
      Left = Double 2400
      Top = Double 180
      Width = Double 900
      Height = Double 255
   End
   Begin KyComCtl.KyUpDown udWeeks
      @Left = Double 3300
      @Top = Double 120
      @Width = Double 1000
      @Height = Double 315
      Max = Long 52
      Value = Long 3
      Enabled = Boolean False
   End
   Begin KyComCtl.KyLabel kylDomain
      @Left = Double 120
      @Top = Double 600
      @Width = Double 2000
      @Height = Double 300
      Caption = String "Domain"
   End
   Begin KyComCtl.KyProgressBar prbRead
      @Left = Double 120
      @Top = Double 1000
      @Width = Double 4000
      @Height = Double 375
      Caption = String "Reading the domain list"
      Value = Long 40
   End
   Begin KyComCtl.TlxInfoPanel tipDomain
      @Left = Double 120
      @Top = Double 1500
      @Width = Double 4200
      @Height = Double 1665
      Title = String "Domain details"
   End
   Begin KyComCtl.KyProgressInfo piRun
      @Left = Double 4500
      @Top = Double 120
      @Width = Double 9825
      @Height = Double 4000
   End
   Begin VB.CommandButton cmdOK
      Caption = String "OK"
      Left = Double 120
      Top = Double 3500
      Width = Double 1200
      Height = Double 375
   End
End
