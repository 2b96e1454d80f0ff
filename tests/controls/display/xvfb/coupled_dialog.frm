OstrelForm 1
# A modal dialog carrying the minimise coupling, shown as the program shows its dialogs.
Begin Form frmCoupled
   Caption = String "Coupled dialog"
   Width = Double 4000
   Height = Double 2000
   Begin KyComCtl.KyMinimized minCoupling
      @Left = Double 0
      @Top = Double 0
   End
   Begin VB.CommandButton cmdClose
      Caption = String "Close"
      Left = Double 1200
      Top = Double 900
      Width = Double 1200
      Height = Double 375
   End
End
